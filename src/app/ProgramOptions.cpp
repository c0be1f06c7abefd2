// What the window program's command line asks for besides starting.
#include "app/ProgramOptions.h"

StartRequest ReadStartRequest(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return StartRequest::kHelp;
        if (argument == "--version" || argument == "-V")
            return StartRequest::kVersion;
    }
    return StartRequest::kRun;
}

std::string WindowProgramHelp() {
    return R"(usage: kl840t-link [--help] [--version]

Orvela KL840T - PC link: downloads the telephone book, the schedule and the two
user dictionaries of a KL840T handheld over a serial line, keeps and edits their
records on the PC, and uploads them back. Only one copy runs at a time.

Options:
  -h, --help     print this text and exit
  -V, --version  print the version line and exit

Environment:
  KL840T_HOME    the folder of the profile, in place of $XDG_CONFIG_HOME/kl840t
                 (default ~/.config/kl840t)
  KL840T_DATA    the folder of the section files, in place of
                 $XDG_DATA_HOME/kl840t (default ~/.local/share/kl840t)

Files:
  kl840t-link.ini
                 the profile: the settings and every text of the windows. At
                 the first start of an installed program the delivered profile
                 <prefix>/share/kl840t/kl840t-link.ini is copied there; an
                 existing profile is never replaced.
  840.0 ... 840.4
                 the section files: telephone book, schedule, the two user
                 dictionaries, memo. A copy that is not installed keeps them
                 beside its executable when that folder is writable.

Serial devices:
  The Settings page's COM1 ... COM4 open the devices named in the profile
  (section "interface", keys COM1 ... COM4; default /dev/ttyS0 ... /dev/ttyS3),
  which "kl840t set-port" changes. To open a serial device the user must
  usually be in the group "dialout".
)";
}
