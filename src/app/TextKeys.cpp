// The table of every text key that the program looks up.
#include "app/TextKeys.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kTextKeys{
    // Sections, as radio buttons on the Exchange and Data pages.
    TextKey{"1", "section: telephone book"},
    TextKey{"2", "section: schedule"},
    TextKey{"10ge", "section: German-Russian user dictionary"},
    TextKey{"11ru", "section: Russian-German user dictionary"},
    // Main window.
    TextKey{"72", "tab caption: Exchange page"},
    TextKey{"14", "tab caption: Data page"},
    TextKey{"15", "tab caption: Settings page"},
    TextKey{"52", "tool tip of the keyboard-side button; caption of the keyboard layout group"},
    TextKey{"26", "tool tip: show or hide the on-screen keyboard"},
    TextKey{"27", "tool tip: help"},
    TextKey{"28", "tool tip: About box"},
    TextKey{"29", "tool tip: exit the program"},
    TextKey{"80", "question: the section has unsaved changes, save them?"},
    TextKey{"81", "question: the settings were changed but not applied, apply them?"},
    TextKey{"33", "button: yes / agree (OK of a question)"},
    TextKey{"34", "button: no (Cancel of a question)"},
    TextKey{"35", "button: OK of a message"},
    TextKey{"36", "button: cancel (transfer prompt) and STOP (running transfer)"},
    // Settings page.
    TextKey{"17", "group caption: interface language"},
    TextKey{"18", "group caption: serial port"},
    TextKey{"19", "radio: COM1"},
    TextKey{"20", "radio: COM2"},
    TextKey{"21", "radio: COM3"},
    TextKey{"22", "radio: COM4"},
    TextKey{"24", "button: apply the settings"},
    TextKey{"43ge", "radio: German interface"},
    TextKey{"44ru", "radio: Russian interface"},
    TextKey{"57ge", "label: layout of the Latin keyboard side"},
    TextKey{"58ru", "label: layout of the Cyrillic keyboard side"},
    TextKey{"53", "layout list: the keyboard layout installed in the system"},
    TextKey{"54ge", "layout list: German keyboard emulated by the program"},
    TextKey{"55ru", "layout list: Russian standard keyboard emulated by the program"},
    TextKey{"56ru", "layout list: Russian typewriter keyboard emulated by the program (optional)"},
    TextKey{"47", "error: the serial port cannot be opened"},
    TextKey{"160", "tool tip of a COM radio: the device refuses this user (followed by the group to join)"},
    TextKey{"161", "menu of a COM radio: the device the port stands for when none is chosen"},
    // Exchange page and transfers.
    TextKey{"12", "radio: download (handheld to PC); opens the download prompt"},
    TextKey{"13", "radio: upload (PC to handheld); opens the upload prompt"},
    TextKey{"25", "group caption: section to upload"},
    TextKey{"62", "group caption: direction of the transfer"},
    TextKey{"40", "button: start the upload"},
    TextKey{"41", "button: start the download"},
    TextKey{"63", "group caption: progress of an upload"},
    TextKey{"64", "group caption: progress of a download"},
    TextKey{"98", "prompt: first half of 'connect the handheld' (followed by a space and 99)"},
    TextKey{"99", "prompt: second half of 'connect the handheld'"},
    TextKey{"90", "prompt: what to do on the handheld for a download"},
    TextKey{"91", "prompt: what to do on the handheld for an upload"},
    TextKey{"92", "prompt: closing line (upload adds a full stop)"},
    TextKey{"65", "result: upload completed"},
    TextKey{"66", "result: download completed"},
    TextKey{"67", "result: upload failed or stopped"},
    TextKey{"68", "result: download failed or stopped"},
    TextKey{"82", "status: waiting for the other side"},
    TextKey{"83", "status: transferring a packet"},
    TextKey{"69", "status: after the count of bytes sent"},
    TextKey{"70", "status: after the count of bytes received"},
    TextKey{"49", "error: the section file is missing, cannot be opened or written, or is damaged"},
    TextKey{"50", "error: the temporary file of a download cannot be created"},
    // Data page and record editing.
    TextKey{"45", "button: load the chosen section"},
    TextKey{"46", "group caption: section choice"},
    TextKey{"48", "question: the section file is missing or damaged, create an empty one?"},
    TextKey{"73", "tool tip: save the section"},
    TextKey{"74", "tool tip: new record"},
    TextKey{"75", "tool tip: delete the record"},
    TextKey{"76", "tool tip: undo the changes of the record"},
    TextKey{"77", "tool tip: switch between section choice and record editor"},
    TextKey{"30", "tool tip of the padlock: the record is not locked"},
    TextKey{"31", "tool tip of the padlock: the record is locked"},
    TextKey{"61", "record list: a new record not yet filled in"},
    TextKey{"79", "error: both words of a dictionary record must be filled in"},
    TextKey{"100ge", "field caption: telephone book, name"},
    TextKey{"101ge", "field caption: telephone book, number"},
    TextKey{"102ge", "field caption: telephone book, address or note"},
    TextKey{"110ge", "field caption: schedule, date"},
    TextKey{"111ge", "field caption: schedule, start and end time"},
    TextKey{"112ge", "field caption: schedule, text"},
    TextKey{"120ge", "field caption: German-Russian dictionary, German word"},
    TextKey{"121ge", "field caption: German-Russian dictionary, Russian translation"},
    TextKey{"130geruge", "field caption: Russian-German dictionary, Russian word"},
    TextKey{"131ge", "field caption: Russian-German dictionary, German translation"},
    // Files that were damaged or could not be replaced.
    TextKey{"150",
            "error: the section file is damaged and only its start was loaded (followed by the count of records)"},
    TextKey{"151", "information: records shortened to fit the handheld (followed by their numbers)"},
    TextKey{"152", "error: the received section could not replace its file (followed by where it is kept)"},
    // Data page: files of the user's other programs.
    TextKey{"140", "context menu of the record list: export the section to a file"},
    TextKey{"141", "context menu of the record list: import a file into the section"},
    TextKey{"142", "file dialog type: vCard files"},
    TextKey{"143", "file dialog type: iCalendar files"},
    TextKey{"144", "file dialog type: CSV files"},
    TextKey{"145", "error: the file's format does not carry this section"},
    TextKey{"146", "error: the export file cannot be written"},
    TextKey{"147", "error: the import file cannot be read"},
    TextKey{"148", "error: the import file is malformed; followed by the line number"},
    TextKey{"149", "import report: records read; followed by the count"},
    TextKey{"155", "import report: records with a text cut to the field's length; followed by their numbers"},
    TextKey{"156", "import report: characters changed to capitals or base letters; followed by the count"},
    TextKey{"157", "import report: records whose unstorable characters were left out; followed by their numbers"},
    TextKey{"158", "import report: entries left out; followed by the count"},
    TextKey{"159", "import report: recurring events taken as their first occurrence; followed by the count"},
};

} // namespace

std::span<const TextKey> TextKeys() { return kTextKeys; }

bool IsTextKey(std::string_view key) {
    return std::any_of(kTextKeys.begin(), kTextKeys.end(), [key](const TextKey& k) { return key == k.key; });
}
