#include "engine/CommandTemplates.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/ProgramDir.h"
#include "engine/ShellQuote.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace quillabe {

namespace {

constexpr const char* kScriptBase = "DirectShow";
constexpr const char* kScriptExt = ".avs";
constexpr const char* kBatchBase = "~ConvertCore";
constexpr const char* kBatchExt = ".bat";
constexpr std::string_view kInputPlaceholder = "<%InputFile%>";

// The placeholders of the command templates in the order they are replaced ("<%InputFile%>"
// last) and the shell variable that carries each value.
struct Placeholder {
    std::string_view text;
    std::string_view variable;
};
constexpr std::array<Placeholder, 9> kPlaceholders = {{
    {"<%AppPath%>", "q_app_path"},
    {"<%TimeStamp%>", "q_time_stamp"},
    {"<%TemporaryFile%>", "q_temporary_file"},
    {"<%Title%>", "q_title"},
    {"<%OutputFile%>", "q_output_file"},
    {"<%OutputPath%>", "q_output_path"},
    {"<%RandomNumber3%>", "q_random_number3"},
    {"<%RandomNumber5%>", "q_random_number5"},
    {kInputPlaceholder, "q_input_file"},
}};

std::array<std::string, kPlaceholders.size()> placeholderValues(const TTemplateValues& t,
                                                                const std::string& inputSlot) {
    return {t.TplAppPath,
            t.TplTimeStamp,
            t.TplTemporaryFile,
            t.TplTitle,
            ChangeFileExt(t.TplOutputFile, ""), // the commands add their own extension
            t.TplOutputPath,
            t.TplRandomNumber3,
            t.TplRandomNumber5,
            inputSlot};
}

// Placeholders are first replaced by marks that no template text holds, so that the order and
// letter-case rules of the replacement stay those of the plain text; each mark then becomes a
// reference quoted for the place where it stands.
constexpr char kMarkOpen = '\x01';
constexpr char kMarkClose = '\x02';

std::string markOf(size_t index) {
    return {kMarkOpen, static_cast<char>('0' + index), kMarkClose};
}

std::optional<size_t> markAt(std::string_view text, size_t i) {
    if (i + 2 >= text.size() || text[i] != kMarkOpen || text[i + 2] != kMarkClose)
        return std::nullopt;
    size_t index = static_cast<size_t>(text[i + 1] - '0');
    if (index >= kPlaceholders.size())
        return std::nullopt;
    return index;
}

std::string commandLine(const std::string& command, ShellScanner& scanner) {
    // The marks' bytes mean nothing in a command; dropped, they can never pose as a placeholder.
    std::string marked;
    for (char c : command)
        if (c != kMarkOpen && c != kMarkClose)
            marked += c;
    for (size_t i = 0; i < kPlaceholders.size(); ++i)
        marked = ReplaceAllIgnoreCase(marked, kPlaceholders[i].text, markOf(i));

    std::string out;
    size_t i = 0;
    while (i < marked.size()) {
        if (std::optional<size_t> index = markAt(marked, i)) {
            out += ShellReference(kPlaceholders[*index].variable, scanner.Context());
            i += 3;
            continue;
        }
        ShellContext context = scanner.Context();
        const bool expands =
            context == ShellContext::Unquoted || context == ShellContext::DoubleQuoted;
        if (marked[i] == '\\' && markAt(marked, i + 1) && context != ShellContext::SingleQuoted &&
            context != ShellContext::Comment) {
            // A backslash would escape the reference's "$" or quote: keep it as a plain one.
            out += "\\\\";
            ++i;
            continue;
        }
        if (marked[i] == '$' && markAt(marked, i + 1) && expands) {
            // Followed by the reference's "$" it would become the shell's "$$" (its process id):
            // a dollar sign written before a placeholder stays a dollar sign.
            out += "\\$";
            ++i;
            continue;
        }
        size_t next = scanner.Step(marked, i);
        out.append(marked, i, next - i);
        // A template value may hold a line break (stored escaped): the shell's line ends there.
        if (marked[i] == '\n')
            scanner.EndLine();
        i = next;
    }
    scanner.EndLine();
    return out;
}

[[noreturn]] void fail(const char* what, const std::string& path, int error) {
    throw TemplateError(std::string(what) + " \"" + path +
                        "\": " + std::strerror(error != 0 ? error : EIO));
}

std::string readTemplate(const std::string& path) {
    if (DirectoryExists(path))
        fail("Cannot read", path, EISDIR);
    std::string text;
    errno = 0;
    if (!ReadFileText(path, text))
        fail("Cannot read", path, errno);
    return text;
}

void writeGenerated(const std::string& path, const std::string& text) {
    errno = 0;
    if (!WriteFileAtomic(path, text))
        fail("Cannot write", path, errno);
}

// The preset reader treats a missing file as an empty one; a job must not start from it.
void ensureReadable(const std::string& path) {
    if (DirectoryExists(path))
        fail("Cannot read", path, EISDIR);
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        fail("Cannot read", path, errno);
    std::fclose(f);
}

// The extension stays last: the encoder recognizes the script by it.
std::string slotFileName(const char* base, const char* ext, int slot) {
    return slot <= 1 ? std::string(base) + ext
                     : std::string(base) + "-" + std::to_string(slot) + ext;
}

void writeScriptFrom(const std::string& templateName, const std::string& inputFile, int slot) {
    std::string text;
    for (const std::string& line : SplitLines(readTemplate(InProgramDir(templateName)))) {
        text += ReplaceAllIgnoreCase(line, kInputPlaceholder, inputFile);
        text += '\n';
    }
    writeGenerated(DirectShowScriptPath(slot), text);
}

} // namespace

std::string DirectShowScriptPath(int slot) {
    return InProgramDir(slotFileName(kScriptBase, kScriptExt, slot));
}
std::string ConvertCoreBatchPath(int slot) {
    return InProgramDir(slotFileName(kBatchBase, kBatchExt, slot));
}

bool InputUsesDirectShow(const std::string& inputFile) {
    if (GlobalVars.UseDirectShow)
        return true;
    std::string ext = ExtractFileExt(inputFile);
    for (const std::string& listed : GlobalVars.AvsExtensions)
        if (listed == ext)
            return true;
    return false;
}

void WriteDirectShowScript(const std::string& inputFile, int slot) {
    writeScriptFrom("profile_en/DirectShow.avs", inputFile, slot);
}

void WriteCoreDirectShowScript(const std::string& inputFile, int slot) {
    writeScriptFrom("cores/DirectShow.avs", inputFile, slot);
}

std::string ConvertCoreScript(const std::vector<std::string>& commands,
                              const TTemplateValues& templates, const std::string& inputSlot) {
    std::string out = "#!/bin/sh\n"
                      "# The commands of one conversion job. File names are assigned below in\n"
                      "# single quotes and used only through quoted references.\n";
    auto values = placeholderValues(templates, inputSlot);
    for (size_t i = 0; i < kPlaceholders.size(); ++i) {
        out += kPlaceholders[i].variable;
        out += '=';
        out += ShellSingleQuote(values[i]);
        out += '\n';
    }
    ShellScanner scanner;
    for (const std::string& command : commands) {
        out += commandLine(command, scanner);
        out += '\n';
    }
    return out;
}

void WriteConvertCoreBatch(const TProfileDetailItem& item, const TTemplateValues& templates,
                           const std::string& input, int slot) {
    std::string inputSlot = input;
    if (InputUsesDirectShow(input)) {
        WriteCoreDirectShowScript(input, slot);
        inputSlot = DirectShowScriptPath(slot);
    }
    ensureReadable(item.PresetPath);
    writeGenerated(ConvertCoreBatchPath(slot),
                   ConvertCoreScript(PresetCommandTemplates(item), templates, inputSlot));
}

void DeleteTempFiles(int slot) {
    DeleteFile(ConvertCoreBatchPath(slot));
    DeleteFile(DirectShowScriptPath(slot));
}

} // namespace quillabe
