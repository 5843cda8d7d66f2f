// The desktop integration files against what the program really offers: the MIME types of the
// desktop file against the input-type table, the man page and the bash completion against
// `quillabe --help`, and the completion's answers in a real bash.

// GCC 12 at -O1 with the sanitizers takes std::regex's own std::function members for
// uninitialised; the warning is about the library, not this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include "support/ChildRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace quillabe::test;

namespace {

fs::path source(const std::string& name) {
    return fs::path(std::getenv("QUILLABE_SOURCE_DIR")) / name;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> words(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; std::getline(in, w, separator);)
        if (!w.empty())
            out.push_back(w);
    return out;
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The extensions of every pattern in the [InputFileTypes] section of a type table.
std::set<std::string> typeTableExtensions(const fs::path& table) {
    std::set<std::string> exts;
    bool inTypes = false;
    for (const std::string& line : lines(readFile(table))) {
        if (!line.empty() && line[0] == '[') {
            inTypes = lower(line) == "[inputfiletypes]";
            continue;
        }
        if (!inTypes || line.find('=') == std::string::npos)
            continue;
        for (const std::string& pattern : words(line.substr(line.find('=') + 1), ';'))
            if (pattern.rfind("*.", 0) == 0)
                exts.insert(lower(pattern.substr(2)));
    }
    return exts;
}

struct MimeEntry {
    std::string type;
    bool byContent = false; // chosen for what the files hold, not by the database's name rule
};

// packaging/input-mime-types.txt: extension → its types ("-" alone: none).
std::map<std::string, std::vector<MimeEntry>> mimeTable() {
    std::map<std::string, std::vector<MimeEntry>> table;
    for (const std::string& line : lines(readFile(source("packaging/input-mime-types.txt")))) {
        std::vector<std::string> w = words(line, ' ');
        if (w.empty() || w[0][0] == '#')
            continue;
        auto& entries = table[w[0]];
        for (size_t i = 1; i < w.size(); ++i) {
            if (w[i] == "-")
                continue;
            const bool content = w[i].rfind("content:", 0) == 0;
            entries.push_back({content ? w[i].substr(8) : w[i], content});
        }
    }
    return table;
}

std::string desktopKey(const std::string& key) {
    for (const std::string& line :
         lines(readFile(source("packaging/org.quillabe.Quillabe.desktop"))))
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return {};
}

TEST(DesktopMimeTypes, TableCoversEveryInputExtension) {
    const auto table = mimeTable();
    for (const std::string& ext :
         typeTableExtensions(source("data/skin/ozu/lang/type_english.dat")))
        EXPECT_TRUE(table.count(ext)) << "no MIME line for ." << ext;
}

TEST(DesktopMimeTypes, DesktopFileClaimsExactlyTheTablesTypes) {
    std::set<std::string> fromTable;
    for (const auto& [ext, entries] : mimeTable())
        for (const auto& e : entries)
            fromTable.insert(e.type);
    const std::vector<std::string> listed = words(desktopKey("MimeType"), ';');
    const std::set<std::string> claimed(listed.begin(), listed.end());
    EXPECT_EQ(claimed.size(), listed.size()) << "a type is listed twice";
    for (const auto& t : fromTable)
        EXPECT_TRUE(claimed.count(t)) << "missing from MimeType: " << t;
    for (const auto& t : claimed)
        EXPECT_TRUE(fromTable.count(t)) << "in MimeType but in no table line: " << t;
}

// A type that is taken from the database's name rules must be one of them, so that a typing
// slip or a type the database renamed does not slip into the desktop file.
TEST(DesktopMimeTypes, NameRuleTypesAreTheSharedDatabasesOwn) {
    const fs::path globs = "/usr/share/mime/globs2";
    if (!fs::exists(globs))
        GTEST_SKIP() << "shared-mime-info is not installed";
    std::map<std::string, std::set<std::string>> byExt; // "50:audio/mpeg:*.mp3"
    for (const std::string& line : lines(readFile(globs))) {
        std::vector<std::string> f = words(line, ':');
        if (f.size() >= 3 && f[2].rfind("*.", 0) == 0)
            byExt[lower(f[2].substr(2))].insert(f[1]);
    }
    for (const auto& [ext, entries] : mimeTable())
        for (const auto& e : entries)
            if (!e.byContent) {
                EXPECT_TRUE(byExt[ext].count(e.type)) << "." << ext << " is not " << e.type;
            }
}

// Every option that --help names is documented and completed.
TEST(DesktopFiles, ManPageAndCompletionNameEveryHelpOption) {
    RunResult help =
        RunProcess({std::string(std::getenv("QUILLABE_APP_DIR")) + "/quillabe", "--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    std::string man = readFile(source("packaging/quillabe.1"));
    man = std::regex_replace(man, std::regex(R"(\\-)"), "-");
    const std::string completion = readFile(source("packaging/quillabe.bash-completion"));
    const std::regex option(R"(--[a-z][a-z-]*[a-z])");
    std::set<std::string> options;
    for (std::sregex_iterator i(help.out.begin(), help.out.end(), option), end; i != end; ++i)
        options.insert(i->str());
    ASSERT_GT(options.size(), 5u) << help.out;
    for (const std::string& o : options) {
        const std::regex word("(^|[^a-z-])" + o + "($|[^a-z-])");
        EXPECT_TRUE(std::regex_search(man, word)) << o << " is not in the man page";
        EXPECT_TRUE(std::regex_search(completion, word)) << o << " is not completed";
    }
}

// The completion in a bash of its own, over a user folder with a profile of its own and a preset.
TEST(BashCompletion, AnswersByPosition) {
    TempDir dir;
    dir.Write("data/quillabe/profile_en/avi/XviD DVD quality.avo", "[AVI]\n");
    dir.Write("data/quillabe/profile_en/avi/Mine only.avo", "[AVI]\n");
    dir.Write("data/quillabe/profile_en/mp3/Loud.mpo", "[MP3]\n");
    dir.Write("data/quillabe/profile_en/default_setting/Pocket.ini",
              "; presets\n[Info]\r\nTitleE=Pocket player\r\n[Item1]\r\nTitleE=Small\r\n");
    const std::string script = R"(
        source "$1"
        shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
        _quillabe
        printf '%s\n' "${COMPREPLY[@]}")";

    struct Case {
        std::vector<std::string> words;
        std::vector<std::string> reply; // every one of these, in any order
        std::vector<std::string> not_;  // none of these
    } cases[] = {
        {{"quillabe", "--con"}, {"--convert"}, {}},
        {{"quillabe", "--list-profiles", "m"}, {"mp4", "mpg", "mov", "mp2", "mp3"}, {"avi"}},
        {{"quillabe", "--convert", "--to", "A"}, {"avi", "asf", "aac", "ac3", "amr"}, {}},
        {{"quillabe", "--convert", "--to", "AVI", "--profile", ""},
         {"Mine\\ only", "XviD\\ DVD\\ quality"},
         {"Loud", "Pocket\\ player"}},
        {{"quillabe", "--convert", "--to", "avi", "--profile", "Mi"}, {"Mine\\ only"}, {"Loud"}},
        {{"quillabe", "--convert", "--preset", "Po"}, {"Pocket\\ player"}, {"Small"}},
        {{"quillabe", "--convert", "--when-done", "re"}, {"reboot"}, {"quit"}},
        {{"quillabe", "--convert", "--to", "mp3", "--del"}, {"--delete-source"}, {}},
        {{"quillabe", "--convert", "--to", "mp3", "--jobs", "0"}, {"0"}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv{"bash",
                                      "--norc",
                                      "--noprofile",
                                      "-c",
                                      script,
                                      "bash",
                                      source("packaging/quillabe.bash-completion").string()};
        argv.insert(argv.end(), c.words.begin(), c.words.end());
        RunResult r = RunProcess(argv, {"XDG_DATA_HOME=" + dir.Path() + "data", "QUILLABE_HOME="});
        std::string shown;
        for (const auto& w : c.words)
            shown += w + " ";
        ASSERT_EQ(r.exitCode, 0) << shown << r.err;
        const std::vector<std::string> got = lines(r.out);
        const std::set<std::string> reply(got.begin(), got.end());
        for (const auto& w : c.reply)
            EXPECT_TRUE(reply.count(w)) << shown << "→ lacks " << w << "\n" << r.out;
        for (const auto& w : c.not_)
            EXPECT_FALSE(reply.count(w)) << shown << "→ offers " << w;
    }
}

} // namespace
