// The dialog templates of the program: every window's controls, as data.
#include "res/DialogTemplates.h"

#include <array>
#include <cstdlib>

namespace {

using K = ControlKind;
constexpr unsigned G = kStyleGroup, T = kStyleTabStop, D = kStyleDefault, C = kStyleCentred, H = kStyleHidden,
                   M = kStyleMultiline, B = kStyleBorder, V = kStyleVScroll;

constexpr std::array kAbout{
    ControlTemplate{10, K::Picture, 8, 8, 21, 20, 0, ""},
    ControlTemplate{1111, K::Text, 40, 10, 146, 9, 0, "KL840T"},
    ControlTemplate{1112, K::Text, 40, 22, 146, 9, 0, "Copyright (C) Orvela"},
    ControlTemplate{1124, K::Text, 40, 34, 146, 9, 0, "Version"},
    ControlTemplate{IDOK, K::PushButton, 72, 56, 50, 14, D | T | G, "OK"},
};

constexpr std::array kMain{
    ControlTemplate{1078, K::Frame, 8, 8, 133, 25, 0, ""},
    ControlTemplate{1114, K::Text, 8, 35, 121, 22, C, "Orvela KL840T"},
    ControlTemplate{1076, K::Picture, 172, 8, 153, 49, 0, ""},
    ControlTemplate{1060, K::TabControl, 8, 65, 321, 174, T, ""},
};

constexpr std::array kExchange{
    ControlTemplate{1068, K::GroupBox, 8, 4, 146, 70, 0, "WhatToDO?"},
    ControlTemplate{1063, K::RadioButton, 16, 19, 130, 10, G | T, "UPLOAD"},
    ControlTemplate{1064, K::RadioButton, 16, 34, 130, 10, T, "DOWNLOAD"},
    ControlTemplate{IDOK, K::PushButton, 16, 50, 130, 16, D | T, "OK"},
    ControlTemplate{1117, K::GroupBox, 8, 82, 146, 68, 0, "PROGRESS!!!"},
    ControlTemplate{1116, K::ProgressBar, 16, 94, 130, 12, B, ""},
    ControlTemplate{1123, K::Text, 16, 111, 130, 11, C | G, "Too many bytes transmitted"},
    ControlTemplate{1046, K::PushButton, 56, 128, 50, 14, T, "STOPIT!!!"},
    ControlTemplate{1120, K::GroupBox, 162, 4, 148, 146, 0, "EXCHANGE"},
    ControlTemplate{1119, K::RadioButton, 173, 19, 129, 10, G | T, "TELEPHONE"},
    ControlTemplate{1022, K::RadioButton, 173, 33, 129, 10, T, "SCHEDULE"},
    ControlTemplate{1028, K::RadioButton, 173, 48, 129, 10, T, "ER DICT"},
    ControlTemplate{1027, K::RadioButton, 173, 63, 129, 10, T, "RE DICT"},
    ControlTemplate{1021, K::RadioButton, 173, 78, 129, 10, T, "MEMO - 3RD"},
};

constexpr std::array kSettings{
    ControlTemplate{1029, K::GroupBox, 8, 4, 146, 50, G, ""},
    ControlTemplate{1013, K::RadioButton, 16, 16, 130, 10, G | T, ""},
    ControlTemplate{1014, K::RadioButton, 16, 27, 130, 10, T, ""},
    ControlTemplate{1019, K::RadioButton, 16, 38, 130, 10, T, ""},
    ControlTemplate{1030, K::GroupBox, 8, 58, 146, 68, G, ""},
    ControlTemplate{1015, K::RadioButton, 16, 68, 130, 10, G | T, ""},
    ControlTemplate{1016, K::RadioButton, 16, 82, 130, 10, T, ""},
    ControlTemplate{1017, K::RadioButton, 16, 96, 130, 10, T, ""},
    ControlTemplate{1018, K::RadioButton, 16, 110, 130, 10, T, ""},
    ControlTemplate{1106, K::GroupBox, 162, 4, 148, 68, G, ""},
    ControlTemplate{1109, K::Text, 171, 15, 39, 12, 0, ""},
    ControlTemplate{1108, K::ComboBox, 210, 15, 92, 36, V | T, ""},
    ControlTemplate{1110, K::Text, 171, 33, 39, 12, 0, ""},
    ControlTemplate{1107, K::ComboBox, 210, 33, 92, 51, V | T, ""},
    ControlTemplate{1111, K::Text, 171, 53, 39, 12, 0, ""},
    ControlTemplate{1112, K::ComboBox, 210, 52, 92, 51, V | T, ""},
    ControlTemplate{IDOK, K::PushButton, 249, 134, 61, 16, D | T, ""},
};

// The Data page: the section choice on the left, the record list with its
// command bar on the right; the record editor (hidden at first) takes the right
// half when it opens and is laid out at run time.
constexpr std::array kData{
    ControlTemplate{1069, K::GroupBox, 8, 4, 146, 146, G, ""},
    ControlTemplate{1119, K::RadioButton, 18, 20, 130, 10, G | T, "TELEPHONE"},
    ControlTemplate{1022, K::RadioButton, 18, 36, 130, 10, T, "SCHEDULE"},
    ControlTemplate{1028, K::RadioButton, 18, 52, 130, 10, T, "ER DICT"},
    ControlTemplate{1027, K::RadioButton, 18, 68, 130, 10, T, "RE DICT"},
    ControlTemplate{1021, K::RadioButton, 18, 84, 130, 10, T, "MEMO"},
    ControlTemplate{IDOK, K::PushButton, 18, 126, 126, 16, D | T | G, "OK"},
    ControlTemplate{1121, K::RadioButton, 0, 0, 8, 8, G | H, ""},
    ControlTemplate{1098, K::GroupBox, 162, 4, 146, 146, G, ""},
    ControlTemplate{1081, K::ComboBox, 170, 16, 100, 60, V | T, ""},
    ControlTemplate{1082, K::ListBox, 170, 32, 100, 110, B | V | T, ""},
    ControlTemplate{6666, K::Frame, 170, 32, 100, 110, B, ""},
    ControlTemplate{1100, K::Frame, 278, 16, 23, 126, 0, ""},
    ControlTemplate{1099, K::GroupBox, 162, 4, 146, 146, H, ""},
    ControlTemplate{1084, K::Text, 170, 16, 130, 9, H, ""},
    ControlTemplate{1091, K::Edit, 170, 26, 130, 20, M | B | V | T | H, ""},
    ControlTemplate{1085, K::Text, 170, 50, 130, 9, H, ""},
    ControlTemplate{1092, K::Edit, 170, 60, 130, 20, M | B | V | T | H, ""},
    ControlTemplate{1086, K::Text, 170, 84, 130, 9, H, ""},
    ControlTemplate{1093, K::Edit, 170, 94, 130, 30, M | B | V | T | H, ""},
    ControlTemplate{1101, K::Frame, 280, 126, 22, 22, H, ""},
};

constexpr std::array kMessageBox{
    ControlTemplate{3, K::PushButton, 189, 36, 50, 14, T, ""},
    ControlTemplate{IDOK, K::PushButton, 72, 36, 50, 14, D | T | G, "OK"},
    ControlTemplate{IDCANCEL, K::PushButton, 126, 36, 50, 14, T, "Cancel"},
    ControlTemplate{1101, K::Picture, 8, 6, 21, 20, 0, ""},
    ControlTemplate{1102, K::Text, 37, 6, 202, 27, M, ""},
};

constexpr std::array kMessageBoxLarge{
    ControlTemplate{3, K::PushButton, 187, 97, 50, 14, T, ""},
    ControlTemplate{IDOK, K::PushButton, 79, 97, 50, 14, D | T | G, "OK"},
    ControlTemplate{IDCANCEL, K::PushButton, 134, 97, 50, 14, T, "Cancel"},
    ControlTemplate{1101, K::Picture, 8, 4, 21, 20, 0, ""},
    ControlTemplate{1102, K::Text, 37, 4, 218, 89, M, ""},
};

constexpr std::array kTemplates{
    DialogTemplate{IDD_ABOUTBOX, 194, 77, "About...", kAbout},
    DialogTemplate{IDD_MAIN, 337, 247, "840 Link", kMain},
    DialogTemplate{IDD_EXCHANGE, 318, 158, "", kExchange},
    DialogTemplate{IDD_SETTINGS, 318, 158, "", kSettings},
    DialogTemplate{IDD_DATA, 316, 158, "", kData},
    DialogTemplate{IDD_MESSAGEBOX, 247, 58, "840", kMessageBox},
    DialogTemplate{IDD_MESSAGEBOX_LARGE, 263, 119, "", kMessageBoxLarge},
};

} // namespace

const DialogTemplate& FindDialogTemplate(int id) {
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return t;
    std::abort(); // a template number the program does not have is a build fault
}
