// A stand-in for the encoder program that does exactly what a script says, so that the engine's
// tests can drive every path of the output parser and the batch controller.
//
// The script comes from the file named by $FAKE_ENCODER_SCRIPT, else from "fake_encoder.script"
// beside the executable (tests copy the executable into a program directory as "divuvo.dll" and
// put the script beside it). One directive a line; blank lines and lines starting with "#" are
// skipped:
//
//   out TEXT            write TEXT to standard output, no newline added, then flush
//   err TEXT            the same on standard error
//                       (TEXT escapes: \r \n \t \\ \xHH; every directive is its own write)
//   sleep MS            pause
//   create-output [N]   create the last command-line argument as a file of N bytes (default 1)
//   touch PATH          create or truncate PATH (empty)
//   args FILE           write the arguments after the program name to FILE, one a line, with
//                       \ and control characters escaped as above
//   pid FILE            write the process id to FILE
//   child-wait FILE     start a child process (same process group) that waits to be killed and
//                       write its id to FILE
//   wait-signal         wait until a signal ends the process
//   exit CODE           end with that code (the end of the script ends with 0)
//
// An unreadable script or an unknown directive ends the program with code 2 and a line on
// standard error that begins with "fake_encoder:".

#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        switch (c) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        case 'x':
            if (i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
                out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
                i += 2;
                break;
            }
            [[fallthrough]];
        default:
            out += '\\';
            out += c;
            break;
        }
    }
    return out;
}

std::string escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 32 || c == 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

void writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return static_cast<bool>(file);
}

[[noreturn]] void die(const std::string& message) {
    writeAll(STDERR_FILENO, "fake_encoder: " + message + "\n");
    std::exit(2);
}

std::string scriptPath() {
    if (const char* env = std::getenv("FAKE_ENCODER_SCRIPT"); env && *env)
        return env;
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        die("cannot find its own folder");
    std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1) + "fake_encoder.script";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string path = scriptPath();
    std::ifstream script(path, std::ios::binary);
    if (!script)
        die("cannot read the script " + path);
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        size_t blank = line.find(' ');
        std::string word = line.substr(0, blank);
        std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (word == "out" || word == "err") {
            writeAll(word == "out" ? STDOUT_FILENO : STDERR_FILENO, unescape(rest));
        } else if (word == "sleep") {
            usleep(static_cast<useconds_t>(std::atol(rest.c_str())) * 1000);
        } else if (word == "create-output") {
            if (args.empty())
                die("create-output without an output argument");
            long bytes = rest.empty() ? 1 : std::atol(rest.c_str());
            if (!writeFile(args.back(), std::string(static_cast<size_t>(bytes), 'x')))
                die("cannot create " + args.back());
        } else if (word == "touch") {
            if (!writeFile(unescape(rest), ""))
                die("cannot create " + rest);
        } else if (word == "args") {
            std::string content;
            for (const std::string& a : args)
                content += escape(a) + "\n";
            if (!writeFile(unescape(rest), content))
                die("cannot write " + rest);
        } else if (word == "pid") {
            writeFile(unescape(rest), std::to_string(getpid()) + "\n");
        } else if (word == "child-wait") {
            pid_t child = fork();
            if (child == 0) {
                for (;;)
                    pause();
            }
            writeFile(unescape(rest), std::to_string(child) + "\n");
        } else if (word == "wait-signal") {
            for (;;)
                pause();
        } else if (word == "exit") {
            return std::atoi(rest.c_str());
        } else {
            die("unknown directive " + word);
        }
    }
    return 0;
}
