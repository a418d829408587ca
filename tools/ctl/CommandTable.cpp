#include "Commands.h"

namespace quenlar::ctl {

const std::vector<CommandEntry> &commands() {
    static const std::vector<CommandEntry> table = {
        {"status", "read the keyboard and describe its configuration", "status\n  Reads the keyboard and describes its configuration.\n", runStatus},
        {"dump", "print every field as JSON", "dump --json\n  Reads the keyboard and prints every field as JSON.\n", runDump},
        {"set", "change lighting and options and write them",
         "set FIELD=VALUE ...\n  Changes settings and writes them to the keyboard. Fields: lightEffect (code or name such as\n"
         "  Wave), lightSpeed 0-9, lightBrightness 0-50, lightColour 1-8, lightDirection 1-4, gameMode 0-1,\n"
         "  winLock 0-1, responseTime 1-10, reportRate 0-3. Exits 0 only when the keyboard acknowledged every step.\n",
         runSet},
        {"apply", "write the configuration of a keymap.bin or profile file",
         "apply [FILE]\n  Writes the keyboard configuration held in a keymap.bin or profile file to the keyboard; without\n"
         "  FILE, the working configuration (keymap.bin of the data folder), with the macros and key functions\n"
         "  that the macro, assign and profile commands left there.\n", runApply},
        {"reset", "restore the keyboard's factory settings", "reset\n  Restores the keyboard's factory settings.\n", runReset},
        {"probe", "exit 0 when a keyboard is plugged in", "probe\n  Exits 0 when a keyboard is plugged in, 1 otherwise.\n", runProbe},
        {"assign", "give a key another function",
         "assign KEY ACTION\n"
         "  KEY: a key label of the keyboard picture (F1, Esc, Q) or its index 0-112.\n"
         "  ACTION:\n"
         "    key VK                  another key (a virtual-key code, or a key name such as F1 or LCtrl)\n"
         "    combo VK+VK[+VK]        a combination, such as LCtrl+C\n"
         "    basic NAME              a media or shortcut function, such as \"Volume Up\" (either language)\n"
         "    macro N                 macro N of quenlar-ctl macro list (0-31)\n"
         "    sound|program|file|folder PATH   the computer plays, starts or opens PATH (quenlar-ctl listen)\n"
         "    default                 the key's factory function\n"
         "    disable | enable        switch the key off or on, keeping its function\n"
         "  Saves keymap.bin as the key assignment dialog does, then writes the keyboard.\n",
         runAssign},
        {"macro", "list, show, create, delete, rename, import and export macros",
         "macro list                        the macros, numbered from 0\n"
         "macro show N                      the event lines of macro N, as the macro manager shows them\n"
         "macro new                         a new empty macro\n"
         "macro delete N                    delete macro N (asks; --yes confirms)\n"
         "macro rename N NAME               give macro N another name\n"
         "macro import FILE [--name=NAME]   a new macro from a text file of event lines\n"
         "macro export N FILE               write the event lines of macro N to FILE\n"
         "  Changes are saved like the macro manager's OK (MacroDefine.bin and the macro slots in keymap.bin);\n"
         "  quenlar-ctl apply sends them to the keyboard.\n",
         runMacro},
        {"profile", "manage the six stored configurations",
         "profile list                      the profiles\n"
         "profile new                       a new profile\n"
         "profile copy NAME                 a copy of profile NAME\n"
         "profile delete NAME               delete profile NAME (asks; --yes confirms)\n"
         "profile rename OLD NEW            rename a profile\n"
         "profile save NAME [--export=FILE] store the working configuration (keymap.bin) in profile NAME\n"
         "profile load NAME [--from=FILE]   make profile NAME (or FILE, which is then stored in NAME) the working\n"
         "                                  configuration in keymap.bin\n",
         runProfile},
        {"paint", "colour keys of a custom lighting layer",
         "paint LAYER KEY COLOUR [KEY COLOUR ...]\n"
         "  LAYER 1-5 is the custom effect DIY1-DIY5; COLOUR is #RRGGBB, on (lit) or off (dark).\n"
         "  Writes the layer to the keyboard.\n",
         runPaint},
        {"listen", "carry out host-action keys until interrupted",
         "listen\n  Runs the key event listener: keys assigned sound, program, file or folder open it on this\n"
         "  computer. Stops on Ctrl+C.\n",
         runListen},
        {"virtual", "press a key of the virtual keyboard",
         "virtual press KEY\n  With --device=virtual:STATE_FILE: presses KEY on the virtual keyboard; a quenlar-ctl listen\n"
         "  on the same state file carries out its host action.\n",
         runVirtual},
        {"doctor", "check the keyboard, its permissions and the system tray",
         "doctor\n  Tells whether a keyboard is plugged in, whether its two interfaces can be opened and, if not,\n"
         "  what to do; and whether a system tray is available. Exits 0 when the keyboard can be used.\n",
         runDoctor},
        {"report", "write a diagnostic report for a bug",
         "report FILE\n  Writes the program version, the platform, the devices found, the permission check, the\n"
         "  firmware version and a report trace of a read-all to FILE.\n",
         runReport},
        {"udev-rules", "print the udev rule that gives the user access to the keyboard",
         "udev-rules\n  Prints the udev rule file that cmake --install puts in lib/udev/rules.d.\n", runUdevRules},
    };
    return table;
}

} // namespace quenlar::ctl
