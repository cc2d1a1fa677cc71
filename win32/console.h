#pragma once
// Text output of the console tool and its command line. A console gets UTF-16
// through WriteConsoleW with CR LF line ends; a pipe or file gets UTF-8 with
// "\n" as it is, so the output compares with that of Linux tools.
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// Where the console tool's text goes; tests record it instead.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void write(std::u16string_view text) = 0;

    void writeLine(std::u16string_view text) {
        write(text);
        write(u"\n");
    }
};

enum class StandardStream { Output, Error };

class ConsoleStream : public TextSink {
public:
    explicit ConsoleStream(StandardStream stream);
    // Any handle: a console, a pipe or a file (the handle stays the caller's).
    explicit ConsoleStream(void* handle);

    void write(std::u16string_view text) override;
    bool isConsole() const { return isConsole_; }

private:
    void* handle_;
    bool isConsole_;
};

// "\n" becomes CR LF; a CR LF already there stays as it is.
std::u16string withConsoleLineEnds(std::u16string_view text);

// The arguments of wmain after the program name.
std::vector<std::u16string> argumentsOf(int argc, wchar_t** argv);

}  // namespace qucap
