// The documentation the logo opens: the page at its address where a web
// server on this machine serves it, else the user's guide that comes with
// the program, in firefox or else the desktop's browser.
#ifndef ZELQUOR_DOCUMENTATION_PAGE_H
#define ZELQUOR_DOCUMENTATION_PAGE_H

#include <string>

extern const char* const kDocumentationUrl;
// The address's port on this machine.
constexpr int kDocumentationPort = 80;

// Whether a server on this machine answers the address's request on that
// port with a page (status 200) within a second or two.
bool pageServed(int port);
// The guide's first page for a program in that folder: the build tree's
// guide/ beside it, else the installed one; empty when there is neither.
std::string guideFile(const std::string& programFolder);
// A file's file:// address, its path percent-encoded where need be.
std::string fileAddress(const std::string& path);
// What the logo opens: the served page, else the guide, else the address.
std::string documentationAddress(bool served, const std::string& programFolder);
// "firefox" when a PATH (colon-separated) holds it, else "xdg-open", else
// empty.
std::string browserCommand(const std::string& path);

// Opens the documentation in the background and returns at once: the probe
// and the browser's start run on a thread of their own. The browser writes
// nothing into the trace. With no browser, one line on stderr says so.
void openDocumentation();

#endif
