#include "app/core/colour_settings/colour_tab.h"

#include <gtest/gtest.h>

#include "app/core/project/project_colours.h"
#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/u16.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;
using test::utf16File;

TEST(ColourTab, FieldNormalisation) {
    struct Case {
        std::u16string_view typed;
        int caret;
        ColourEntry expected;
    };
    const Case cases[] = {
        {u"12", 2, {u"120000", 2, false}},          // padded on the right
        {u"1200000", 2, {u"120000", 2, false}},     // typing over the padding: six characters are read
        {u"ff8080", 6, {u"FF8080", 6, false}},      // lower case becomes upper case
        {u"F", 1, {u"F00000", 1, false}},
        {u"g", 1, {u"000000", 0, true}},            // rejected: the caret moves back
        {u"AgB", 2, {u"AB0000", 1, true}},          // removed before the caret only
        {u"ABg", 2, {u"AB0000", 2, true}},          // removed after the caret
        {u"", 0, {u"000000", 0, false}},            // an emptied field is black, never no colour
        {u"0A1b2C3d", 8, {u"0A1B2C", 6, false}},   // the caret stays inside the six digits
        {u"赤00", 1, {u"000000", 0, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normaliseColourEntry(c.typed, c.caret), c.expected) << toUtf8(c.typed);
}

TEST(ColourTab, FieldsAndSwatchesOfTheSlots) {
    ColourFieldPlace place;
    ASSERT_TRUE(colourFieldOf(1285, place));  // yellow border end
    EXPECT_EQ(place.slot, SlotYellow);
    EXPECT_EQ(place.role, BorderEndColour);
    ASSERT_TRUE(colourSwatchOf(1268, place));  // blue text swatch
    EXPECT_EQ(place.slot, SlotBlue);
    EXPECT_EQ(place.role, TextColour);
    EXPECT_FALSE(colourFieldOf(1268, place));
    EXPECT_FALSE(colourSwatchOf(1266, place));  // the red reset button
}

bool enabled(const std::vector<ControlEnabling>& states, int id) {
    for (const ControlEnabling& s : states)
        if (s.id == id) return s.enabled;
    ADD_FAILURE() << "no control " << id;
    return false;
}

TEST(ColourTab, ResetButtonsFollowTheDefaultsAndThePlayState) {
    ProjectColours colours;
    // Typing the red border end's default leaves the table as it was.
    colours.set(SlotRed, BorderEndColour, colourFromText(u"FF8080"));
    EXPECT_FALSE(colours.changed());
    EXPECT_FALSE(enabled(colourTabStates(colours, PlayState::Stopped), 1266));
    // Pure blue for yellow's text colour.
    colours.set(SlotYellow, TextColour, colourFromValue(0xFF0000));
    EXPECT_EQ(colours[SlotYellow].text.text, u"0000FF");
    EXPECT_TRUE(colours.changed());
    EXPECT_TRUE(enabled(colourTabStates(colours, PlayState::Stopped), 1287));
    for (PlayState state : {PlayState::Playing, PlayState::Paused}) EXPECT_FALSE(enabled(colourTabStates(colours, state), 1287));
    EXPECT_FALSE(enabled(colourTabStates(colours, PlayState::Playing), 1281));
    EXPECT_FALSE(enabled(colourTabStates(colours, PlayState::Playing), 1282));
    EXPECT_TRUE(enabled(colourTabStates(colours, PlayState::Paused), 1281));

    colours.reset(SlotYellow);
    EXPECT_EQ(colours[SlotYellow], defaultColourSlot(SlotYellow));
    EXPECT_FALSE(enabled(colourTabStates(colours, PlayState::Stopped), 1287));
}

struct ColourSaveTest : ::testing::Test {
    TestIo t;
    ProjectColours colours;
    std::u16string path = u"設定なし";
    DataFileProject project{path, u"C:\\p", u"C:\\p\\p.mcc"};

    ColourSaveTest() {
        t.files.addDirectory(u"C:\\p");
        t.files.addFile(u"C:\\p\\p.mcc", utf16File({u"[FileName]", u"InpColName=設定なし", u""}));
    }
};

TEST_F(ColourSaveTest, ChangedColoursWithoutAFileAskForAName) {
    EXPECT_EQ(saveChangedColours(t.io, colours, project), 0);  // unchanged: nothing asked, nothing written
    EXPECT_TRUE(t.ui.saveRequests.empty());
    colours.set(SlotRed, TextColour, colourFromText(u"FF8000"));
    EXPECT_EQ(saveChangedColours(t.io, colours, project), -1);  // cancelled
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    const SaveFileRequest& request = t.ui.saveRequests[0];
    EXPECT_EQ(request.proposedName, u"C:\\p\\無題-色");
    EXPECT_EQ(request.kind, u"色情報ﾌｧｲﾙ");
    EXPECT_EQ(request.defaultExtension, u"csv");
    EXPECT_EQ(request.filters, (std::vector<FileTypeFilter>{{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, allFilesFilter()}));
    EXPECT_EQ(path, u"設定なし");

    t.ui.saveAnswer = u"C:\\p\\色.csv";
    EXPECT_EQ(saveChangedColours(t.io, colours, project), 0);
    EXPECT_EQ(path, u"C:\\p\\色.csv");
    EXPECT_EQ(t.files.contents(u"C:\\p\\色.csv"), colourInfoBytes(colours.table()));
    EXPECT_EQ(IniProfile(t.io).readString(u"C:\\p\\p.mcc", u"FileName", u"InpColName", u""), u"C:\\p\\色.csv");
}

}  // namespace
}  // namespace qucap
