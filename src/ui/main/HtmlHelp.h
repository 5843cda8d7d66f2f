#pragma once
// The help: HTML pages in the folder of the help file below the program folder, shown by the
// desktop's browser. The help is in English whatever language the windows speak.

#include <string>

namespace quillabe {

// The full path of a help page: the program folder, the help file's folder and the topic.
std::string HelpPagePath(const std::string& topic);

// Opens the topic's page through ShellOpen (whose handler tests replace). A page that does not
// exist is told to the user in a message box instead of sending the browser to an error page;
// returns whether the page was opened.
bool ShowHtmlHelp(const std::string& topic);

} // namespace quillabe
