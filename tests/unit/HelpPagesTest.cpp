// The English help pages open from the program folder in a browser, offline: every page must be
// whole enough to render, and every page, picture and anchor it points at must be in the set.

#include "core/StartupConstants.h"

// GCC 12 at -O1 with the sanitizers takes std::regex's own std::function members for
// uninitialised; the warning is about the library, not this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <queue>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quillabe {
namespace {

namespace fs = std::filesystem;

// The help folder in the installation data, the one the program's help file names.
fs::path helpFolder() {
    SetStartupConstants();
    return fs::path(QUILLABE_SOURCE) / "data" / fs::path(HelpFile).parent_path();
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> pages() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(helpFolder()))
        if (entry.path().extension() == ".html")
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(text[i + 1]) &&
            std::isxdigit(text[i + 2])) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct Reference {
    std::string value;
    bool loaded; // fetched to show the page (a picture, the stylesheet), not a link to follow
};

std::vector<Reference> references(const std::string& html) {
    static const std::regex kTag(R"(<([a-zA-Z][a-zA-Z0-9]*)\b([^>]*)>)");
    static const std::regex kAttribute(R"re(\b(href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
    std::vector<Reference> found;
    for (auto tag = std::sregex_iterator(html.begin(), html.end(), kTag);
         tag != std::sregex_iterator(); ++tag) {
        const std::string name = (*tag)[1].str();
        const std::string attributes = (*tag)[2].str();
        for (auto it = std::sregex_iterator(attributes.begin(), attributes.end(), kAttribute);
             it != std::sregex_iterator(); ++it)
            found.push_back({(*it)[2].str(), (*it)[1].str() == "src" || name == "link"});
    }
    return found;
}

bool hasScheme(const std::string& value) {
    static const std::regex kScheme(R"(^[a-zA-Z][a-zA-Z0-9+.-]*:)");
    return std::regex_search(value, kScheme);
}

std::set<std::string> anchorIds(const std::string& html) {
    static const std::regex kId(R"re(\bid\s*=\s*"([^"]*)")re", std::regex::icase);
    std::set<std::string> ids;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), kId);
         it != std::sregex_iterator(); ++it)
        ids.insert((*it)[1].str());
    return ids;
}

// Open and close tags must pair up; a page cut short or a tag left open shows here.
std::string tagBalanceProblem(const std::string& html) {
    static const std::set<std::string> kVoid = {"area",   "base",  "br",    "col",  "embed",
                                                "hr",     "img",   "input", "link", "meta",
                                                "source", "track", "wbr"};
    static const std::regex kTag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)\b[^>]*>)");
    std::vector<std::string> open;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), kTag);
         it != std::sregex_iterator(); ++it) {
        std::string name = (*it)[2].str();
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        if (kVoid.count(name))
            continue;
        if ((*it)[1].length() == 0) {
            open.push_back(name);
            continue;
        }
        if (open.empty() || open.back() != name)
            return "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">");
        open.pop_back();
    }
    return open.empty() ? "" : "<" + open.back() + "> is never closed";
}

TEST(HelpPages, TheTopicsTheProgramOpensExist) {
    const fs::path folder = helpFolder();
    for (const std::string& topic :
         {HelpTopicContents, HelpTopicQuickStart, fs::path(HelpFile).filename().string(),
          std::string("help.css")})
        EXPECT_TRUE(fs::is_regular_file(folder / topic)) << topic;
}

TEST(HelpPages, EveryPageIsWholeAndItsLinksAndPicturesResolveInTheSet) {
    const fs::path folder = fs::weakly_canonical(helpFolder());
    const std::vector<fs::path> all = pages();
    ASSERT_GE(all.size(), 3u);
    for (const fs::path& page : all) {
        SCOPED_TRACE(page.filename().string());
        const std::string html = readText(page);
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_EQ(tagBalanceProblem(html), "");
        EXPECT_EQ(html.find("<script"), std::string::npos) << "the pages run no scripts";
        for (const Reference& ref : references(html)) {
            SCOPED_TRACE(ref.value);
            if (hasScheme(ref.value)) {
                // Offline: nothing is loaded from elsewhere; a plain link may lead out.
                EXPECT_FALSE(ref.loaded) << "loaded from elsewhere";
                continue;
            }
            const size_t hash = ref.value.find('#');
            const std::string file = percentDecoded(ref.value.substr(0, hash));
            const fs::path target =
                file.empty() ? page : fs::weakly_canonical(page.parent_path() / file);
            const std::string relative = fs::relative(target, folder).string();
            EXPECT_FALSE(relative.empty() || relative.rfind("..", 0) == 0) << "outside the set";
            if (!fs::is_regular_file(target)) {
                ADD_FAILURE() << "missing";
                continue;
            }
            if (hash != std::string::npos) {
                const std::string anchor = ref.value.substr(hash + 1);
                EXPECT_TRUE(anchorIds(readText(target)).count(anchor)) << "no anchor " << anchor;
            }
        }
    }
}

TEST(HelpPages, EveryPageCanBeReachedFromTheContents) {
    const fs::path folder = helpFolder();
    std::set<std::string> reached = {HelpTopicContents};
    std::queue<std::string> next;
    next.push(HelpTopicContents);
    while (!next.empty()) {
        const std::string html = readText(folder / next.front());
        next.pop();
        for (const Reference& ref : references(html)) {
            const std::string file = percentDecoded(ref.value.substr(0, ref.value.find('#')));
            if (hasScheme(ref.value) || fs::path(file).extension() != ".html")
                continue;
            if (reached.insert(file).second && fs::is_regular_file(folder / file))
                next.push(file);
        }
    }
    for (const fs::path& page : pages()) {
        const std::string name = page.filename().string();
        // index.html only leads to the contents.
        if (name != fs::path(HelpFile).filename().string()) {
            EXPECT_TRUE(reached.count(name)) << name << " is linked from no page";
        }
    }
}

} // namespace
} // namespace quillabe
