#pragma once
// Initialisation files read and written with the semantics of the Windows
// private-profile functions, over the FileSystem seam so both deliverables and
// the tests share one implementation. Files are read in any encoding the text
// decoder knows; every write produces FF FE, UTF-16LE and CR LF line ends.
#include <cstdint>
#include <string>
#include <string_view>

#include "captiondata/io/io.h"
#include "captiondata/profile/ini_document.h"

namespace qucap {

// A file read whole: its lines, or why it could not be read. A missing file
// reads as an empty document.
struct IniRead {
    ReadStatus status = ReadStatus::Missing;
    IniDocument document;

    bool readable() const { return status == ReadStatus::Ok || status == ReadStatus::Missing; }
};

class IniProfile {
public:
    IniProfile(FileSystem& files, const ShiftJisDecoder& shiftJis) : files_(files), shiftJis_(shiftJis) {}
    explicit IniProfile(const Io& io) : IniProfile(io.files, io.shiftJis) {}

    IniRead read(std::u16string_view file) const;

    // As IniDocument::readString / readInt; a file that is missing or cannot
    // be read gives the fallback.
    std::u16string readString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const;
    int32_t readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                    int32_t fallback) const;

    // Sets one key and writes the whole file back (atomically). A missing file
    // is created. False when the file exists but cannot be read (so nothing in
    // it is lost), when the key cannot be stored, or when writing fails.
    bool writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);

private:
    FileSystem& files_;
    const ShiftJisDecoder& shiftJis_;
};

}  // namespace qucap
