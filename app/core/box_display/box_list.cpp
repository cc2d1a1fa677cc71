#include "app/core/box_display/box_list.h"

#include <algorithm>

#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"

namespace qucap {

namespace {

constexpr int kFrameDigits = 6;
constexpr int kPixelDigits = 5;
constexpr int kTransparencyDigits = 3;
constexpr int32_t kDensest = 64;
constexpr std::size_t kBlackWord = 6;

int32_t within(int32_t value, int64_t lowest, int64_t highest, int32_t replacement) {
    return value >= lowest && value <= highest ? value : replacement;
}

void checkRect(BoxRect& r, int32_t lowest, const BoxLimits& limits) {
    r.x = within(r.x, lowest, limits.frameWidth, lowest);
    r.y = within(r.y, lowest, limits.frameHeight, lowest);
    r.width = within(r.width, lowest, limits.frameWidth, lowest);
    r.height = within(r.height, lowest, limits.frameHeight, lowest);
}

}  // namespace

const std::array<BoxNumberControl, 11> kBoxNumberControls = {{
    {kBoxStartFrameField, StartFrameField, kFrameDigits},
    {kBoxEndFrameField, EndFrameField, kFrameDigits},
    {kBoxRectFields[0][0], Box1XField, kPixelDigits},
    {kBoxRectFields[0][1], Box1YField, kPixelDigits},
    {kBoxRectFields[0][2], Box1WidthField, kPixelDigits},
    {kBoxRectFields[0][3], Box1HeightField, kPixelDigits},
    {kBoxRectFields[1][0], Box2XField, kPixelDigits},
    {kBoxRectFields[1][1], Box2YField, kPixelDigits},
    {kBoxRectFields[1][2], Box2WidthField, kPixelDigits},
    {kBoxRectFields[1][3], Box2HeightField, kPixelDigits},
    {kBoxTransparencyField, TransparencyField, kTransparencyDigits},
}};

const std::array<std::u16string_view, kBoxFieldCount> kBoxColumnTitles = {
    u"行", u"開ﾌﾚｰﾑ", u"開始時間", u"終ﾌﾚｰﾑ", u"終了時間", u"Ｘ1", u"Ｙ1", u"幅1",
    u"高1", u"Ｘ2", u"Ｙ2", u"幅2", u"高2", u"色", u"透明度"};

std::array<int, kBoxFieldCount> boxColumnWidths(int listWidth) {
    const int box = std::max(0, (listWidth - 244) / 8);
    return {35, 55, 0, 55, 0, box, box, box, box, box, box, box, box, 25, 50};
}

BoxRow newBoxRow(int32_t number) {
    BoxRow row;
    row.number = number;
    row.startFrame = 1;
    row.endFrame = 1;
    row.boxes[0] = {1, 1, 1, 1};
    row.colour = std::u16string(kBoxColourWords[kBlackWord]);
    row.transparency = kDensest;
    return row;
}

BoxRow checkedBoxRow(BoxRow row, const BoxLimits& limits) {
    row.startFrame = within(row.startFrame, 1, limits.frameCount, 1);
    row.endFrame = within(row.endFrame, 1, limits.frameCount, 1);
    checkRect(row.boxes[0], 1, limits);
    checkRect(row.boxes[1], 0, limits);
    row.transparency = within(row.transparency, 0, kDensest, kDensest);
    return row;
}

bool hasBox2(const BoxRow& row) {
    const BoxRect& r = row.boxes[1];
    return r.x > 0 || r.y > 0 || r.width > 0 || r.height > 0;
}

void showBox2(BoxRow& row, bool shown) {
    BoxRect& r = row.boxes[1];
    for (int32_t* value : {&r.x, &r.y, &r.width, &r.height}) *value = shown ? std::max(*value, 1) : 0;
}

int boxColourIndex(std::u16string_view word) {
    const auto found = std::find(kBoxColourWords.begin(), kBoxColourWords.end(), word);
    return found == kBoxColourWords.end() ? -1 : int(found - kBoxColourWords.begin());
}

void BoxList::reset() {
    selected_ = -1;
    modified_ = false;
    fields_ = newBoxRow(0);
}

void BoxList::edit(const BoxRow& fields) {
    fields_ = fields;
    modified_ = true;
}

bool BoxList::commit(const BoxLimits& limits) {
    if (selected_ < 0 || selected_ >= int(rows_.size())) return false;
    BoxRow& row = rows_[std::size_t(selected_)];
    const int32_t number = row.number;
    row = checkedBoxRow(fields_, limits);
    row.number = number;
    row.startTime = row.endTime = 0;
    fields_ = row;
    modified_ = false;
    return true;
}

void BoxList::select(int row, const BoxLimits& limits) {
    if (modified_) commit(limits);
    if (row < 0 || row >= int(rows_.size())) return reset();
    selected_ = row;
    fields_ = rows_[std::size_t(row)];
    modified_ = false;
}

void BoxList::update(const BoxLimits& limits) {
    commit(limits);
    reset();
}

int BoxList::append(const BoxLimits& limits) {
    commit(limits);
    rows_.push_back(newBoxRow(int32_t(rows_.size()) + 1));
    select(int(rows_.size()) - 1, limits);
    return selected_;
}

int BoxList::insert(const BoxLimits& limits) {
    if (selected_ < 0) return -1;
    commit(limits);
    const int at = selected_;
    rows_.insert(rows_.begin() + at, newBoxRow(0));
    renumber();
    select(at, limits);
    return at;
}

bool BoxList::removeSelected() {
    if (selected_ < 0 || selected_ >= int(rows_.size())) return false;
    rows_.erase(rows_.begin() + selected_);
    renumber();
    reset();
    return true;
}

std::u16string BoxList::deleteQuestion() const {
    const bool inList = selected_ >= 0 && selected_ < int(rows_.size());
    return toDecimal(inList ? rows_[std::size_t(selected_)].number : 0) + std::u16string(kDeleteBoxRowQuestionSuffix);
}

void BoxList::renumber() {
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].number = int32_t(i) + 1;
}

std::vector<ControlEnabling> BoxList::controlStates(PlayState state) const {
    const bool buttons = !isPreviewActive(state);
    const bool editing = selected_ >= 0 && state != PlayState::Playing;
    std::vector<ControlEnabling> states = {
        {kBoxUpdateButton, modified_ && buttons},
        {kBoxAddButton, buttons},
        {kBoxInsertButton, selected_ >= 0 && buttons},
        {kBoxDeleteButton, selected_ >= 0 && buttons},
        {kBoxListView, state != PlayState::Playing},
        {kBox2ShownBox, editing},
    };
    for (const BoxNumberControl& control : kBoxNumberControls) {
        const bool box2 = control.field >= Box2XField && control.field <= Box2HeightField;
        states.push_back({control.id, editing && (!box2 || hasBox2(fields_))});
    }
    for (const int id : kBoxColourButtons) states.push_back({id, editing});
    return states;
}

SaveFileRequest boxInfoSaveRequest(std::u16string_view projectFolder) {
    return {joinPath(projectFolder, u"無題-枠"),
            u"枠情報ﾌｧｲﾙ",
            u"csv",
            {{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, {u"テキストﾌｧｲﾙ (*.txt)", u"*.txt"}, allFilesFilter()}};
}

int loadBoxInfo(const Io& io, std::u16string_view path, BoxTable& rows, std::u16string& unreadFile) {
    rows.clear();
    unreadFile.clear();
    ReadFindings found;
    const int status = readBoxInfoForProgram(io, path, rows, &found);
    if (status == 0 && found.unread(rows.size())) {
        io.ui.warn(kBoxInfoUnread, Deliverable::Program);
        unreadFile = std::u16string(path);
    }
    return status;
}

int saveBoxList(const Io& io, const BoxTable& rows, const BoxMovie& movie, DataFileProject& project, bool listShown,
                std::u16string_view unreadFile) {
    if (!unreadFile.empty() && samePath(unreadFile, project.path)) {
        io.ui.warn(kBoxInfoNotOverwritten, Deliverable::Program);
        return -1;
    }
    if (!namesFile(project.path) && !listShown) return 0;
    return saveUnderProjectName(io, project, boxInfoSaveRequest(project.projectFolder), u"InpBoxName",
                                [&](std::u16string_view path) { return writeBoxInfo(io, path, rows, movie); });
}

}  // namespace qucap
