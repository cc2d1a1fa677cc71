#include "filter/win/properties/qucapsyf_source.h"

#include <cwchar>
#include <string>

namespace qucap {

namespace {

// Buffers the page gives the getters: paths and face names, terminator included.
constexpr int kPathChars = 256;
constexpr int kFaceChars = kFontSlotChars;

std::u16string fromBuffer(const WCHAR* text, std::size_t capacity) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), wcsnlen(text, capacity));
}

const WCHAR* wide(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// A getter of one path into a page-sized buffer.
std::u16string pathFrom(IQucapsyf& filter, HRESULT (STDMETHODCALLTYPE IQucapsyf::*get)(WCHAR*, int)) {
    WCHAR buffer[kPathChars] = {};
    (filter.*get)(buffer, kPathChars);
    return fromBuffer(buffer, kPathChars);
}

}  // namespace

std::u16string QucapsyfSource::settingsPath() { return pathFrom(filter_, &IQucapsyf::GetSettingsPath); }
std::u16string QucapsyfSource::projectPath() { return pathFrom(filter_, &IQucapsyf::GetProjectPath); }
std::u16string QucapsyfSource::captionPath() { return pathFrom(filter_, &IQucapsyf::GetCaptionPath); }

std::vector<std::u16string> QucapsyfSource::installedFonts() {
    const WCHAR* list = nullptr;
    int count = 0;
    std::vector<std::u16string> fonts;
    if (FAILED(filter_.GetFontList(&list, &count)) || !list) return fonts;
    for (int at = 0; at < count; ++at)
        fonts.push_back(fromBuffer(list + std::size_t(at) * kFontSlotChars, kFontSlotChars));
    return fonts;
}

PageFaceNames QucapsyfSource::faceNames() {
    WCHAR main[kFaceChars] = {};
    WCHAR ruby[kFaceChars] = {};
    filter_.GetFontNames(main, kFaceChars, ruby, kFaceChars);
    return {fromBuffer(main, kFaceChars), fromBuffer(ruby, kFaceChars)};
}

PageFontSizes QucapsyfSource::fontSizes() {
    int main = 0, ruby = 0;
    filter_.GetFontSizes(&main, &ruby);
    return {main, ruby};
}

PageLayout QucapsyfSource::layout() {
    int type = 0, fill = 0, side = 0;
    filter_.GetLayout(&type, &fill, &side);
    return {type, fill, side};
}

int32_t QucapsyfSource::timeDisplay() {
    int flag = 0;
    filter_.GetTimeDisplay(&flag);
    return flag;
}

int32_t QucapsyfSource::borderType() {
    int type = 0;
    filter_.GetBorderType(&type);
    return type;
}

void QucapsyfSource::setCaptionPath(std::u16string_view path) { filter_.SetCaptionPath(wide(std::u16string(path))); }

void QucapsyfSource::setFaceNames(std::u16string_view main, std::u16string_view ruby) {
    filter_.SetFontNames(wide(std::u16string(main)), wide(std::u16string(ruby)));
}

void QucapsyfSource::setFontSizes(int32_t main, int32_t ruby) { filter_.SetFontSizes(main, ruby); }
void QucapsyfSource::setLayout(int32_t type, int32_t fill, int32_t side) { filter_.SetLayout(type, fill, side); }
void QucapsyfSource::setTimeDisplay(int32_t flag) { filter_.SetTimeDisplay(flag); }
void QucapsyfSource::setBorderType(int32_t type) { filter_.SetBorderType(type); }

}  // namespace qucap
