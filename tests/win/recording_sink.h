#pragma once
// A text sink that keeps everything written to it.
#include <string>

#include "win32/console.h"

namespace qucap::test {

class RecordingSink : public TextSink {
public:
    void write(std::u16string_view text) override { text_ += text; }
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

}  // namespace qucap::test
