#include "engine/CommandTemplates.h"

#include "base/PathUtils.h"
#include "core/GlobalVars.h"
#include "core/ProgramDir.h"
#include "engine/ShellQuote.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace quillabe;
using quillabe::test::ProgramHome;
using quillabe::test::TempDir;

namespace {

using Args = std::vector<std::string>;

// Runs the script with /bin/sh in `cwd` and returns what its commands printed with
// printf '%s\0' (the temporary folders have plain names, so the shell line is safe).
Args runScript(const std::string& script, const std::string& cwd) {
    std::string cmd = "cd '" + cwd + "' && /bin/sh '" + script + "' 2>&1";
    std::FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe)
        return {"<popen failed>"};
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    pclose(pipe);
    Args args;
    size_t from = 0;
    for (size_t nul; (nul = out.find('\0', from)) != std::string::npos; from = nul + 1)
        args.push_back(out.substr(from, nul - from));
    if (from < out.size())
        args.push_back("<unterminated> " + out.substr(from));
    return args;
}

class CommandTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        TGlobalVars& g = GlobalVars;
        g.Templates.TplAppPath = RemoveBackslash(home.Path());
        g.Templates.TplOutputPath = "/out/'q' \"d\" $(touch pwned)/";
        g.Templates.TplOutputFile = g.Templates.TplOutputPath + "clip.mp4";
        g.Templates.TplTemporaryFile = g.Templates.TplOutputPath + "48213";
        g.Templates.TplRandomNumber3 = "007";
        g.Templates.TplRandomNumber5 = "31415";
        g.Job.JobInputFile = "/in/clip.avi";
    }

    std::string writePreset(const std::string& itemBody) {
        return home.Dir().Write("preset.ini", "[Info]\nTitleE=Test\n[Item1]\nTitleE=Variant\n"
                                              "EXT=mp4\n" +
                                                  itemBody);
    }
    TProfileDetailItem item(const std::string& path) const { return {path, "Item1", "Variant"}; }

    ProgramHome home;
};

TEST(ShellSingleQuote, QuotesEverythingAndEscapesQuotes) {
    EXPECT_EQ(ShellSingleQuote(""), "''");
    EXPECT_EQ(ShellSingleQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellSingleQuote("$(x) `y` \\ \"z\"\n"), "'$(x) `y` \\ \"z\"\n'");
}

TEST_F(CommandTemplates, HostileNamesArriveIntactAndAreNeverExecuted) {
    const std::vector<std::string> commands = {
        "printf '%s\\0' \"<%InputFile%>\" \"<%OutputFile%>.mp4\" \"<%OutputPath%>\" "
        "\"<%TemporaryFile%>\" \"<%AppPath%>/divuvo.dll\" \"<%Title%>\" \"<%TimeStamp%>\" "
        "\"<%RandomNumber3%>\" \"<%RandomNumber5%>\"",
        // Placeholders outside double quotes, in single quotes, in lower case, inside a command
        // substitution and after a backslash.
        "printf '%s\\0' <%InputFile%> 'single <%InputFile%> quoted' x<%inputfile%>y",
        "printf '%s\\0' \"$(printf '%s' \"<%INPUTFILE%>\")\" # <%Title%>",
        "printf '%s\\0' \"\\<%RandomNumber3%>\" \\<%RandomNumber3%>",
        // A dollar sign just before a placeholder stays a dollar sign (never the shell's "$$").
        "printf '%s\\0' \"$<%InputFile%>\" $<%RandomNumber3%>",
    };
    const std::string names[] = {
        "it's a \"clip\".avi",
        "$(touch pwned).avi",
        "`touch pwned`.avi",
        "back\\slash\\\".avi",
        "new\nline.avi",
        "  blanks  .avi",
        "ünïcødé 映画.avi",
        "<%OutputFile%>.avi",
        "${HOME}$PATH$1.avi",
        "*glob?[a].avi",
        "tab\there.avi",
        "semi;amp&pipe|gt>lt<.avi",
        "'",
        "\"",
        "$'x'.avi",
        "a\r\nb.avi",
        "trailing\\",
        "; touch pwned #",
    };
    TGlobalVars& g = GlobalVars;
    for (const std::string& name : names) {
        for (const std::string& input : {"/in/" + name, "-" + name}) {
            g.Templates.TplOutputFile =
                g.Templates.TplOutputPath + ChangeFileExt(name, "") + ".mp4";
            TempDir cwd;
            std::string script =
                cwd.Write("core.sh", ConvertCoreScript(commands, GlobalVars.Templates, input));
            Args expected = {input,
                             g.Templates.TplOutputPath + ChangeFileExt(name, "") + ".mp4",
                             g.Templates.TplOutputPath,
                             g.Templates.TplTemporaryFile,
                             g.Templates.TplAppPath + "/divuvo.dll",
                             "",
                             "",
                             "007",
                             "31415",
                             input,
                             "single " + input + " quoted",
                             "x" + input + "y",
                             input,
                             "\\007",
                             "\\007",
                             "$" + input,
                             "$007"};
            EXPECT_EQ(runScript(script, cwd.Path()), expected) << input;
            EXPECT_FALSE(PathExists(cwd.File("pwned"))) << input;
            EXPECT_FALSE(PathExists(home.Dir().File("pwned"))) << input;
        }
    }
}

TEST_F(CommandTemplates, BatchFileIsAShellScriptWithValuesAssigned) {
    GlobalVars.Templates.TplOutputFile = "/out/clip.mp4";
    std::string text =
        ConvertCoreScript({"cmd \"<%OutputFile%>.mp4\""}, GlobalVars.Templates, "/in/clip.avi");
    EXPECT_EQ(text.rfind("#!/bin/sh\n", 0), 0u);
    EXPECT_NE(text.find("\nq_output_file='/out/clip'\n"), std::string::npos);
    EXPECT_NE(text.find("\nq_input_file='/in/clip.avi'\n"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(text.ends_with("\ncmd \"${q_output_file}.mp4\"\n"));
}

TEST_F(CommandTemplates, CommandKeysInFileOrderWithCaseSensitivePrefix) {
    std::string preset = writePreset("Command2=printf '%s\\0' second\n"
                                     "command3=printf '%s\\0' lower\n"
                                     "Command1=printf '%s\\0' \"<%InputFile%>\" "
                                     "\"<%inputfile%>\"\n");
    WriteConvertCoreBatch(item(preset), GlobalVars.Templates, GlobalVars.Job.JobInputFile);
    EXPECT_FALSE(FileExists(DirectShowScriptPath()));
    TempDir cwd;
    EXPECT_EQ(runScript(ConvertCoreBatchPath(), cwd.Path()),
              (Args{"second", "/in/clip.avi", "/in/clip.avi"}));
}

// Every variant of the shipped presets, run with an encoder that prints its arguments: the
// hostile input arrives after -i and the output is exactly the job's output file.
TEST_F(CommandTemplates, ShippedPresetsPassHostileNamesIntact) {
    const char* source = std::getenv("QUILLABE_SOURCE_DIR");
    if (!source)
        GTEST_SKIP() << "QUILLABE_SOURCE_DIR is not set";
    const std::string presetDir = std::string(source) + "/data/profile_en/default_setting/";
    std::string encoder = home.Dir().Write("divuvo.dll", "#!/bin/sh\nprintf '%s\\0' \"$@\"\n");
    std::filesystem::permissions(encoder, std::filesystem::perms::owner_all);

    TGlobalVars& g = GlobalVars;
    g.Job.JobInputFile = "/in/it's a \"clip\" $(touch pwned) `touch pwned` \\ \n-x.avi";
    size_t variants = 0;
    for (const std::string& name : ListDirectory(presetDir, ".ini")) {
        for (const TProfileDetailItem& variant : LoadPresetItems(presetDir + name)) {
            ++variants;
            g.Templates.TplOutputFile =
                g.Templates.TplOutputPath + "it's $(touch pwned)." + PresetItemExt(variant);
            WriteConvertCoreBatch(variant, GlobalVars.Templates, GlobalVars.Job.JobInputFile);
            TempDir cwd;
            Args args = runScript(ConvertCoreBatchPath(), cwd.Path());
            std::string label = name + " / " + variant.Title;
            ASSERT_GE(args.size(), 4u) << label;
            EXPECT_EQ(args[0], "-p") << label;
            auto input = std::find(args.begin(), args.end(), "-i");
            ASSERT_NE(input, args.end()) << label;
            ASSERT_NE(input + 1, args.end()) << label;
            EXPECT_EQ(*(input + 1), g.Job.JobInputFile) << label;
            EXPECT_EQ(args.back(), g.Templates.TplOutputFile) << label;
            EXPECT_FALSE(PathExists(cwd.File("pwned"))) << label;
        }
    }
    EXPECT_GT(variants, 0u);
}

TEST_F(CommandTemplates, DirectShowScriptsReplaceTheInputTextually) {
    home.Dir().Write("profile_en/DirectShow.avs",
                     "DirectShowSource(\"<%InputFile%>\")\r\n# direct <%inputfile%>\r\n");
    home.Dir().Write("cores/DirectShow.avs", "DirectShowSource(\"<%INPUTFILE%>\")\n# core\n");
    const std::string input = "/in/a \"b\" $(c)\n<%OutputFile%>.avi";
    WriteDirectShowScript(input);
    EXPECT_EQ(home.Dir().Read("DirectShow.avs"),
              "DirectShowSource(\"" + input + "\")\n# direct " + input + "\n");
    WriteCoreDirectShowScript(input);
    EXPECT_EQ(home.Dir().Read("DirectShow.avs"), "DirectShowSource(\"" + input + "\")\n# core\n");
}

TEST_F(CommandTemplates, InputThroughTheScriptForBatchJobs) {
    home.Dir().Write("cores/DirectShow.avs", "DirectShowSource(\"<%InputFile%>\")\n");
    std::string preset = writePreset("Command1=printf '%s\\0' \"<%InputFile%>\"\n");
    TGlobalVars& g = GlobalVars;
    g.AvsExtensions.Add(".rmvb");
    struct Case {
        const char* input;
        bool useDirectShow;
        bool throughScript;
    };
    const Case cases[] = {
        {"/in/a.rmvb", false, true},
        {"/in/a.RMVB", false, false}, // the extension list is case-sensitive
        {"/in/a.avi", false, false},
        {"/in/a.avi", true, true},
    };
    for (const Case& c : cases) {
        DeleteTempFiles();
        g.Job.JobInputFile = c.input;
        g.UseDirectShow = c.useDirectShow;
        EXPECT_EQ(InputUsesDirectShow(c.input), c.throughScript) << c.input;
        WriteConvertCoreBatch(item(preset), GlobalVars.Templates, GlobalVars.Job.JobInputFile);
        EXPECT_EQ(FileExists(DirectShowScriptPath()), c.throughScript) << c.input;
        TempDir cwd;
        Args expected = {c.throughScript ? DirectShowScriptPath() : std::string(c.input)};
        EXPECT_EQ(runScript(ConvertCoreBatchPath(), cwd.Path()), expected) << c.input;
    }
}

TEST_F(CommandTemplates, FailuresNameTheFileAndTheReason) {
    auto message = [](auto&& call) -> std::string {
        try {
            call();
        } catch (const TemplateError& e) {
            return e.what();
        }
        return "<no error>";
    };
    std::string missingTemplate = InProgramDir("profile_en/DirectShow.avs");
    EXPECT_EQ(message([] { WriteDirectShowScript("/in/a.avi"); }),
              "Cannot read \"" + missingTemplate + "\": No such file or directory");

    std::string missingPreset = home.Dir().File("gone.ini");
    EXPECT_EQ(message([&] {
                  WriteConvertCoreBatch(item(missingPreset), GlobalVars.Templates,
                                        GlobalVars.Job.JobInputFile);
              }),
              "Cannot read \"" + missingPreset + "\": No such file or directory");

    std::filesystem::create_directory(ConvertCoreBatchPath());
    std::string preset = writePreset("Command1=true\n");
    EXPECT_EQ(message([&] {
                  WriteConvertCoreBatch(item(preset), GlobalVars.Templates,
                                        GlobalVars.Job.JobInputFile);
              }),
              "Cannot write \"" + ConvertCoreBatchPath() + "\": Is a directory");
    std::filesystem::remove(ConvertCoreBatchPath());
}

TEST_F(CommandTemplates, DeleteTempFilesRemovesBothAndToleratesMissingOnes) {
    home.Dir().Write("DirectShow.avs", "x");
    home.Dir().Write("~ConvertCore.bat", "x");
    DeleteTempFiles();
    EXPECT_FALSE(PathExists(DirectShowScriptPath()));
    EXPECT_FALSE(PathExists(ConvertCoreBatchPath()));
    DeleteTempFiles();
}

} // namespace
