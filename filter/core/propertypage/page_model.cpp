#include "filter/core/propertypage/page_model.h"

#include <algorithm>
#include <optional>

#include "captiondata/project/project_keys.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "filter/core/propertypage/page_project_file.h"
#include "resources/filter/resource.h"

namespace qucap {

namespace {

// The radio buttons of a group and the value each stands for.
struct RadioChoice {
    int control;
    int32_t value;
};

constexpr RadioChoice kLayoutRadios[] = {{IDC_RUBY_BOTH_SIDES, 1}, {IDC_RUBY_BETWEEN_LINES, 2}};
constexpr RadioChoice kBorderRadios[] = {
    {IDC_BORDER_OUTLINE, 1}, {IDC_BORDER_SHADOW, 2}, {IDC_BORDER_NONE, 3}, {IDC_BORDER_BLACK_BOX, 4}};

// The check boxes and the flag each holds.
struct FlagBox {
    int control;
    int32_t PageValues::*flag;
};

constexpr FlagBox kFlagBoxes[] = {
    {IDC_FILL, &PageValues::fillFlag},
    {IDC_SIDE, &PageValues::sideFlag},
    {IDC_TIME_DISPLAY, &PageValues::timeDisplay},
};

// A numeric drop-down list, its range and the value it falls back to.
struct NumberList {
    int control;
    int32_t PageValues::*value;
    int32_t min;
    int32_t max;
    int32_t fallback;
};

constexpr NumberList kSizeLists[] = {
    {IDC_MAIN_SIZE, &PageValues::mainSize, kPageSizeMin, kPageSizeMax, kPageDefaultMainSize},
    {IDC_RUBY_SIZE, &PageValues::rubySize, kPageSizeMin, kPageSizeMax, kPageDefaultRubySize},
};
constexpr NumberList kWidthLists[] = {
    {IDC_MAIN_WIDTH, &PageValues::mainWidth, kPageWidthMin, kPageWidthMax, kPageDefaultMainWidth},
    {IDC_RUBY_WIDTH, &PageValues::rubyWidth, kPageWidthMin, kPageWidthMax, kPageDefaultRubyWidth},
};

template <class Visit>
void forEveryNumberList(Visit visit) {
    for (const NumberList& list : kSizeLists) visit(list);
    for (const NumberList& list : kWidthLists) visit(list);
}

struct FaceList {
    int control;
    std::u16string PageValues::*face;
};

constexpr FaceList kFaceLists[] = {{IDC_MAIN_FACE, &PageValues::mainFace}, {IDC_RUBY_FACE, &PageValues::rubyFace}};

// The controls of the border widths, enabled only for borders that have a width.
constexpr int kWidthControls[] = {IDC_MAIN_WIDTH_LABEL, IDC_MAIN_WIDTH, IDC_RUBY_WIDTH_LABEL, IDC_RUBY_WIDTH};

std::vector<std::u16string> numberItems(int32_t min, int32_t max) {
    std::vector<std::u16string> items;
    for (int32_t n = min; n <= max; ++n) items.push_back(toDecimal(n));
    return items;
}

// The filter names a vertical row's faces with a leading "@"; the page shows
// and writes the configured face, which never has one.
std::u16string withoutVerticalMark(std::u16string face) {
    if (!face.empty() && face.front() == u'@') face.erase(0, 1);
    return face;
}

// The value of the first checked radio of a group.
std::optional<int32_t> checkedRadio(PageView& view, const auto& radios) {
    for (const RadioChoice& radio : radios)
        if (view.isChecked(radio.control)) return radio.value;
    return std::nullopt;
}

void showRadio(PageView& view, const auto& radios, int32_t value) {
    for (const RadioChoice& radio : radios) view.setChecked(radio.control, radio.value == value);
}

bool isRadioValue(const auto& radios, int32_t value) {
    return std::any_of(std::begin(radios), std::end(radios), [&](const RadioChoice& r) { return r.value == value; });
}

int32_t selectedNumber(PageView& view, const NumberList& list) {
    const std::optional<std::u16string> text = view.selectedText(list.control);
    return text ? readLeadingInt(*text) : list.fallback;
}

// Marks the controls as being filled by the page itself for one scope.
class ShowingScope {
public:
    explicit ShowingScope(bool& showing) : showing_(showing) { showing_ = true; }
    ~ShowingScope() { showing_ = false; }
    ShowingScope(const ShowingScope&) = delete;
    ShowingScope& operator=(const ShowingScope&) = delete;

private:
    bool& showing_;
};

}  // namespace

void RememberedFolder::rememberFolderOf(std::u16string_view chosenFile) { folder_ = folderOf(chosenFile); }

const QucapsyfPageModel::Command QucapsyfPageModel::kCommands[] = {
    {IDC_CAPTION_PATH, PageEvent::TextChanged, true, &QucapsyfPageModel::captionPathEdited},
    {IDC_CAPTION_BROWSE, PageEvent::Clicked, false, &QucapsyfPageModel::browseCaptionFile},
    {IDC_MAIN_FACE, PageEvent::SelectionChanged, true, &QucapsyfPageModel::faceChosen},
    {IDC_RUBY_FACE, PageEvent::SelectionChanged, true, &QucapsyfPageModel::faceChosen},
    {IDC_MAIN_SIZE, PageEvent::SelectionChanged, true, &QucapsyfPageModel::sizeChosen},
    {IDC_RUBY_SIZE, PageEvent::SelectionChanged, true, &QucapsyfPageModel::sizeChosen},
    {IDC_RUBY_BOTH_SIDES, PageEvent::Clicked, true, &QucapsyfPageModel::layoutClicked},
    {IDC_RUBY_BETWEEN_LINES, PageEvent::Clicked, true, &QucapsyfPageModel::layoutClicked},
    {IDC_TIME_DISPLAY, PageEvent::Clicked, true, &QucapsyfPageModel::flagClicked},
    {IDC_FILL, PageEvent::Clicked, true, &QucapsyfPageModel::flagClicked},
    {IDC_SIDE, PageEvent::Clicked, true, &QucapsyfPageModel::flagClicked},
    {IDC_BORDER_OUTLINE, PageEvent::Clicked, true, &QucapsyfPageModel::borderClicked},
    {IDC_BORDER_SHADOW, PageEvent::Clicked, true, &QucapsyfPageModel::borderClicked},
    {IDC_BORDER_NONE, PageEvent::Clicked, true, &QucapsyfPageModel::borderClicked},
    {IDC_BORDER_BLACK_BOX, PageEvent::Clicked, true, &QucapsyfPageModel::borderClicked},
    {IDC_MAIN_WIDTH, PageEvent::SelectionChanged, true, &QucapsyfPageModel::widthChosen},
    {IDC_RUBY_WIDTH, PageEvent::SelectionChanged, true, &QucapsyfPageModel::widthChosen},
    {IDC_RESET, PageEvent::Clicked, true, &QucapsyfPageModel::resetClicked},
    {IDC_DEFAULT, PageEvent::Clicked, true, &QucapsyfPageModel::defaultClicked},
};

bool QucapsyfPageModel::widthsEnabledFor(int32_t borderType) { return borderTypeDrawsRings(borderType); }

void QucapsyfPageModel::connect(PageSettingsSource& filter) {
    PageValues values;
    values.settingsPath = filter.settingsPath();
    values.projectPath = filter.projectPath();
    values.captionPath = filter.captionPath();
    values.installedFonts = filter.installedFonts();
    const PageFaceNames faces = filter.faceNames();
    values.mainFace = withoutVerticalMark(faces.main);
    values.rubyFace = withoutVerticalMark(faces.ruby);
    const PageFontSizes sizes = filter.fontSizes();
    values.mainSize = sizes.main;
    values.rubySize = sizes.ruby;
    const PageLayout layout = filter.layout();
    values.layoutType = layout.type;
    values.fillFlag = layout.fill;
    values.sideFlag = layout.side;
    values.timeDisplay = filter.timeDisplay();
    values.borderType = filter.borderType();
    page_ = values;
    applied_ = values;
    dirty_ = false;
}

void QucapsyfPageModel::start(PageView& view) {
    faceItems_ = page_.installedFonts;
    if (std::find(faceItems_.begin(), faceItems_.end(), kPageDefaultFace) == faceItems_.end())
        faceItems_.emplace_back(kPageDefaultFace);
    for (const FaceList& list : kFaceLists) view.fillList(list.control, faceItems_);
    forEveryNumberList([&](const NumberList& list) { view.fillList(list.control, numberItems(list.min, list.max)); });
    view.limitText(IDC_CAPTION_PATH, kPageCaptionPathTypedMax);
    show(view);
    dirty_ = false;
}

bool QucapsyfPageModel::command(int control, PageEvent event, PageView& view) {
    const auto entry = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command& c) { return c.control == control && c.event == event; });
    if (entry == std::end(kCommands)) return false;
    if (showing_) return true;
    if (entry->dirtiesFirst) dirty_ = true;
    (this->*entry->run)(control, view);
    return true;
}

int QucapsyfPageModel::apply(PageSettingsSource& filter, const Io& io) {
    filter.setCaptionPath(page_.captionPath);
    filter.setFaceNames(page_.mainFace, page_.rubyFace);
    filter.setFontSizes(page_.mainSize, page_.rubySize);
    filter.setLayout(page_.layoutType, page_.fillFlag, page_.sideFlag);
    filter.setTimeDisplay(page_.timeDisplay);
    filter.setBorderType(page_.borderType);
    applied_ = page_;
    dirty_ = false;
    return writePageSettings(io, page_);
}

// Values outside what the controls offer become the defaults the page shows.
void QucapsyfPageModel::bringIntoRange() {
    for (const FaceList& list : kFaceLists) {
        std::u16string& face = page_.*list.face;
        const auto listed = std::find_if(faceItems_.begin(), faceItems_.end(), [&](const std::u16string& item) {
            return equalsIgnoringAsciiCase(item, face);
        });
        face = listed == faceItems_.end() ? std::u16string(kPageDefaultFace) : *listed;
    }
    forEveryNumberList([&](const NumberList& list) {
        int32_t& value = page_.*list.value;
        if (value < list.min || value > list.max) value = list.fallback;
    });
    if (!isRadioValue(kLayoutRadios, page_.layoutType)) page_.layoutType = 1;
    if (!isRadioValue(kBorderRadios, page_.borderType)) page_.borderType = 1;
    for (const FlagBox& box : kFlagBoxes) page_.*box.flag = page_.*box.flag != 0 ? 1 : 0;
}

void QucapsyfPageModel::show(PageView& view) {
    bringIntoRange();
    const ShowingScope showing(showing_);
    view.setText(IDC_CAPTION_PATH, page_.captionPath);
    for (const FaceList& list : kFaceLists) {
        const auto at = std::find(faceItems_.begin(), faceItems_.end(), page_.*list.face);
        view.selectItem(list.control, int(at - faceItems_.begin()));
    }
    forEveryNumberList([&](const NumberList& list) { view.selectItem(list.control, page_.*list.value - list.min); });
    showRadio(view, kLayoutRadios, page_.layoutType);
    for (const FlagBox& box : kFlagBoxes) view.setChecked(box.control, page_.*box.flag == 1);
    showRadio(view, kBorderRadios, page_.borderType);
    showWidthEnabling(view);
}

void QucapsyfPageModel::showWidthEnabling(PageView& view) {
    const bool enabled = widthsEnabledFor(page_.borderType);
    for (int control : kWidthControls) view.enable(control, enabled);
}

void QucapsyfPageModel::captionPathEdited(int, PageView& view) { page_.captionPath = view.text(IDC_CAPTION_PATH); }

void QucapsyfPageModel::browseCaptionFile(int, PageView& view) {
    const std::optional<std::u16string> chosen = view.chooseCaptionFile(dialogFolder_.folder());
    if (!chosen) return;
    dirty_ = true;
    dialogFolder_.rememberFolderOf(*chosen);
    page_.captionPath = *chosen;
    const ShowingScope showing(showing_);
    view.setText(IDC_CAPTION_PATH, page_.captionPath);
}

void QucapsyfPageModel::faceChosen(int, PageView& view) {
    for (const FaceList& list : kFaceLists)
        page_.*list.face = view.selectedText(list.control).value_or(std::u16string(kPageDefaultFace));
}

void QucapsyfPageModel::sizeChosen(int, PageView& view) {
    for (const NumberList& list : kSizeLists) page_.*list.value = selectedNumber(view, list);
}

void QucapsyfPageModel::widthChosen(int, PageView& view) {
    for (const NumberList& list : kWidthLists) page_.*list.value = selectedNumber(view, list);
}

void QucapsyfPageModel::layoutClicked(int, PageView& view) {
    if (const auto type = checkedRadio(view, kLayoutRadios)) page_.layoutType = *type;
}

void QucapsyfPageModel::flagClicked(int control, PageView& view) {
    for (const FlagBox& box : kFlagBoxes)
        if (box.control == control) page_.*box.flag = view.isChecked(control) ? 1 : 0;
}

void QucapsyfPageModel::borderClicked(int, PageView& view) {
    if (const auto type = checkedRadio(view, kBorderRadios)) page_.borderType = *type;
    showWidthEnabling(view);
}

void QucapsyfPageModel::resetClicked(int, PageView& view) {
    page_ = applied_;
    show(view);
    dirty_ = false;
}

void QucapsyfPageModel::defaultClicked(int, PageView& view) {
    PageValues defaults;
    defaults.settingsPath = page_.settingsPath;
    defaults.projectPath = page_.projectPath;
    defaults.installedFonts = page_.installedFonts;
    defaults.captionPath = applied_.captionPath;
    defaults.mainFace = kPageDefaultFace;
    defaults.rubyFace = kPageDefaultFace;
    page_ = defaults;
    show(view);
}

}  // namespace qucap
