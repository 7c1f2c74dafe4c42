#include "cli/usage.h"

#include <array>
#include <string>
#include <string_view>

namespace ze::cli {

namespace {

constexpr std::array<CommandUsage, 11> kUsages{{
    {"check", "load each file; print its dialogs or the parser's report",
     "usage: ze-tool check FILE...\n",
     "Loads each file into its own project and prints its dialogs, or on standard\n"
     "error \"FILE: cannot read\" or \"FILE:\" and the parser's report.\n"
     "Exit status: 0 when every file loads, 2 when a file is refused unread (not\n"
     "a regular file, or larger than 256 MiB), 1 otherwise.\n"},
    {"lint", "list the project's mistakes; exit 1 on an error",
     "usage: ze-tool lint FILE... [--folder DIR] [--json] [--strict]\n"
     "                    [--layout] [--sizes LIST] [--expand PERCENT]\n",
     "Checks each file as its own project and prints one line per finding:\n"
     "FILE: DIALOG: ELEMENT: PROPERTY: severity: id: message\n"
     "  --folder DIR    also check the files of DIR/resources and the built-in images\n"
     "  --json          print one JSON array of objects (file, dialog, element,\n"
     "                  property, severity, check, message; size for a layout check)\n"
     "  --strict        a warning fails the run as an error does\n"
     "  --layout        also lay each dialog out and report texts that do not fit\n"
     "                  (text-overflow) and elements outside the page\n"
     "                  (outside-page), outside their group (clipped), of no size\n"
     "                  (zero-size) or overlapping in a row (overlap); the element\n"
     "                  is followed by @WxH, the page size\n"
     "  --sizes LIST    the page sizes of --layout (implied): WxH, devices (the\n"
     "                  device list's defaults) or project (the project's size,\n"
     "                  the default), separated by commas\n"
     "  --expand PERCENT  lengthen every text by PERCENT (0 to 100) of itself before\n"
     "                  it is measured (implies --layout)\n"
     "Exit status: 1 on an error (with --strict also on a warning), 2 when a file\n"
     "cannot be read or parsed, 0 otherwise.\n"},
    {"save", "load every IN into one project and write OUT",
     "usage: ze-tool save IN... -o OUT [--dialog NAME]\n",
     "Loads every IN into one project, as the editor's open merges them, and writes\n"
     "OUT: all dialogs, or only dialog NAME.\n"},
    {"tree", "print the resource tree of the loaded files",
     "usage: ze-tool tree FILE... [--items]\n",
     "Prints the resource tree of the loaded files as the resource panel builds it;\n"
     "--items adds each element's \"- NAME [KIND] = VALUE\" lines.\n"},
    {"render", "paint a dialog's preview as the editor shows it",
     "usage: ze-tool render FILE... --dialog NAME [--size WxH] [--page N] "
     "[--select NAME,...] [--look [--folder DIR]] [--expand PERCENT] -o OUT.png\n"
     "       ze-tool render FILE... --all|--dialog NAME [--sizes LIST] [--look] [--folder DIR]\n"
     "                      [--expand PERCENT] [--compare REFDIR [--tolerance N]] --out DIR\n",
     "Paints what the editor's view shows of dialog NAME in a client area of W x H\n"
     "(default 400x300, each side 1 to 16384), the page moved by page index N,\n"
     "the named objects and groups selected. --look paints the device mode, with\n"
     "the images of DIR/resources (default: the first FILE's folder); --expand\n"
     "lengthens its texts by PERCENT (0 to 100) of themselves. Exit 1 when no\n"
     "dialog is named NAME. Needs no display.\n"
     "With --out DIR, writes the page of every dialog (--all) or of NAME at each\n"
     "size of LIST (WxH, devices or project, separated by commas; default\n"
     "project) to DIR/DIALOG@WxH.png. With --compare REFDIR, compares each page with\n"
     "REFDIR/DIALOG@WxH.png (a pixel differs when a channel differs by more than N,\n"
     "default 0), prints \"same NAME@WxH\", \"changed NAME@WxH: N pixels\" or\n"
     "\"new NAME@WxH\", writes the new and DIR/DIALOG@WxH.diff.png pictures of those\n"
     "that differ and DIR/report.html. Exit 1 when a picture changed or is new,\n"
     "2 when a file does not read, 0 otherwise.\n"},
    {"serve", "run the device link without a window",
     "usage: ze-tool serve --folder DIR [--port N] [--address A] [--http-port N]\n"
     "                     [--keepalive-ms N] [--http-idle-ms N] [--max-devices N]\n"
     "                     [--project FILE... --send DIALOG [--watch]]\n"
     "                     [--connect HOST[:PORT]]\n",
     "Runs the device link without a window: listens for a device on A:N (default\n"
     "0.0.0.0:5000), or with --connect connects to a listening device; answers\n"
     "GETFILE from DIR/resources and HTTP GET from DIR on --http-port (default 8080,\n"
     "0: none); holds up to --max-devices devices at once (default 8, 1 to 64; one\n"
     "more closes the oldest); with --project/--send sends DIALOG to each device as\n"
     "it connects, and with --watch to every device whenever a project file changes.\n"
     "Prints every log line;\n"
     "SIGINT or SIGTERM ends it with exit 0.\n"},
    {"skeleton", "generate the application's source skeleton",
     "usage: ze-tool skeleton PROJECT... --out DIR [--templates DIR] [--all | --dialog NAME]\n"
     "         [--overwrite] [--main] [--no-application] [--no-factory] [--no-dialogs]\n"
     "         [--no-json] [--ide-project] [--makefile] [--overwrite-main]\n"
     "         [--overwrite-application] [--overwrite-factory] [--overwrite-dialogs]\n"
     "         [--overwrite-json] [--overwrite-ide-project] [--overwrite-makefile]\n",
     "Generates the device application's source skeleton into DIR from the templates\n"
     "(default: template/ beside ze-tool): the application, the dialog factory, the\n"
     "dialog classes and the JSON export of dialog NAME, or of all with --all.\n"
     "Nothing is overwritten unless asked. Prints one line per file; exit 1 when a\n"
     "file was refused.\n"},
    {"diff", "list what changed between two versions of a project",
     "usage: ze-tool diff OLD NEW [--json]\n"
     "       ze-tool diff PATH OLD OLD-HEX OLD-MODE NEW NEW-HEX NEW-MODE   (git's diff driver)\n",
     "Matches the dialogs by Name and their elements by Name (unnamed ones by type\n"
     "and position, header columns by position, commands by event) and prints one\n"
     "line per change in tree order:\n"
     "  ~ Main/Root/Buttons/Open: Text: OLD \u2192 NEW   a property changed\n"
     "  + Main/Root/Buttons/Help (BUTTON)           an element added\n"
     "  - Main/Root/Pages (GROUP)                   an element removed\n"
     "  > Main/Root/Volume: Root[3] \u2192 Buttons[0]    an element moved\n"
     "  * Main/Root/OK: Name: OK \u2192 Accept           an element renamed\n"
     "  > Settings: [1] \u2192 [0]                       a dialog moved in the list\n"
     "An unnamed element is TYPE#N, N its index in its group; the project's own\n"
     "properties are \"/\".\n"
     "  --json  print one JSON array of objects (kind, dialog, path, property, old,\n"
     "          new; null where none applies)\n"
     "Exit status: 0 no change, 1 changes, 2 a file that does not read. Given the\n"
     "seven arguments git passes to a diff driver, prints \"diff --ze a/PATH b/PATH\"\n"
     "first and exits 0 whether or not anything changed.\n"},
    {"merge", "three-way merge of a project, as git's merge driver",
     "usage: ze-tool merge BASE OURS THEIRS [-o OUT]\n",
     "Merges into OURS what THEIRS changed since BASE, property by property, and\n"
     "writes the result to OUT (default: over OURS, as git's merge driver %O %A %B\n"
     "expects). Elements added on either side are kept, removed and moved ones follow\n"
     "the side that removed or moved them. The same property set differently, an\n"
     "element removed on one side and changed on the other and an element moved to\n"
     "different places keep OURS and print a line on standard error:\n"
     "  CONFLICT Main/Root/Buttons/Open: Text: ours OURS-VALUE theirs THEIR-VALUE\n"
     "A name both sides gave different elements: theirs gets the next free number.\n"
     "Exit status: 0 merged, 1 conflicts, 2 an input does not read (nothing written).\n"},
    {"git-setup", "make git diff and merge projects with ze-tool",
     "usage: ze-tool git-setup [--global]\n",
     "Writes diff.ze.command, merge.ze.name and merge.ze.driver into the\n"
     "repository's git configuration (with --global the user's) and the line\n"
     "\"*.moxspro diff=ze merge=ze\" into the repository's .gitattributes (with\n"
     "--global the user's attributes file), unless it is there already.\n"},
    {"convert", "convert standard input to standard output",
     "usage: ze-tool convert -xs|-Ws|-Sw  < input > output\n",
     "Converts standard input to standard output: -xs any Japanese coding to\n"
     "Shift_JIS, -Ws UTF-8 to Shift_JIS, -Sw Shift_JIS to UTF-8.\n"},
}};

}  // namespace

const CommandUsage* FindUsage(std::string_view command) {
    for (const CommandUsage& usage : kUsages) {
        if (usage.name == command) {
            return &usage;
        }
    }
    return nullptr;
}

void PrintSynopsis(std::ostream& out, std::string_view command) {
    if (const CommandUsage* usage = FindUsage(command)) {
        out << usage->synopsis;
    }
}

void PrintCommandList(std::ostream& out) {
    out << "usage: ze-tool COMMAND [ARGS]\n";
    for (const CommandUsage& usage : kUsages) {
        out << "  " << usage.name << std::string(10 - usage.name.size(), ' ') << usage.summary
            << '\n';
    }
    out << "ze-tool COMMAND --help prints the command's usage, ze-tool --version the version.\n";
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

}  // namespace ze::cli
