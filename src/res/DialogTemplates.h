// The dialog templates of the program: every window's controls, as data.
#pragma once

#include <span>

// What kind of control a template entry makes.
enum class ControlKind {
    GroupBox,
    RadioButton, // automatic radio button
    PushButton,
    Text,     // static text
    Frame,    // plain static: a placeholder another control takes over
    Picture,  // static showing a picture
    ComboBox, // drop-down list
    ListBox,
    Edit,
    ProgressBar,
    TabControl,
};

// Styles, as flags.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kStyleGroup = 1u << 0,   // starts a group (radio buttons group up to the next one)
    kStyleTabStop = 1u << 1, // reached with the Tab key
    kStyleDefault = 1u << 2, // the default push button
    kStyleCentred = 1u << 3, // centred text
    kStyleHidden = 1u << 4,
    kStyleDisabled = 1u << 5,
    kStyleMultiline = 1u << 6,
    kStyleBorder = 1u << 7,
    kStyleVScroll = 1u << 8,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    int x, y, cx, cy; // dialog units
    unsigned style;
    const char* text;
};

struct DialogTemplate {
    int id;
    int cx, cy; // dialog units
    const char* caption;
    std::span<const ControlTemplate> controls;
};

// The template of the given number; every number the program uses exists.
const DialogTemplate& FindDialogTemplate(int id);

// Template numbers.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDD_EXCHANGE = 129;
inline constexpr int IDD_SETTINGS = 130;
inline constexpr int IDD_DATA = 131;
inline constexpr int IDD_MESSAGEBOX = 180;
inline constexpr int IDD_MESSAGEBOX_LARGE = 205;

// Control ids that several windows share.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
