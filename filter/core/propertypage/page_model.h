#pragma once
// The filter's property page without its window: what it takes from the
// filter on connection, how the dialog starts, what each control's command
// does, Reset, Default and Apply. The Windows page forwards its dialog's
// notifications here and implements PageView on its controls.
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/io/io.h"
#include "filter/core/propertypage/page_source.h"
#include "filter/core/propertypage/page_values.h"
#include "filter/core/propertypage/page_view.h"

namespace qucap {

// The notifications of the page's controls that are commands.
enum class PageEvent { TextChanged, Clicked, SelectionChanged };

// The folder the caption-file dialog opened last, kept for the life of the
// module and shared by every page of it.
class RememberedFolder {
public:
    const std::u16string& folder() const { return folder_; }
    // Remembers the folder of a chosen file, without its trailing backslash.
    void rememberFolderOf(std::u16string_view chosenFile);

private:
    std::u16string folder_;
};

class QucapsyfPageModel {
public:
    explicit QucapsyfPageModel(RememberedFolder& dialogFolder) : dialogFolder_(dialogFolder) {}

    // Takes every value the filter has for the page; page and applied values
    // become equal. The border widths start at 3 and 1.
    void connect(PageSettingsSource& filter);

    // The dialog starts: lists filled, page values brought into the lists'
    // ranges and shown, width controls enabled by the border type; not dirty.
    void start(PageView& view);

    // A control's notification. False when it is not a command of the page.
    bool command(int control, PageEvent event, PageView& view);

    // The setters in order with the page values; applied := page; not dirty.
    // Then the project file, when it exists, gets the page's keys in order;
    // the result is that write's: 0, or -1 after the message was shown.
    int apply(PageSettingsSource& filter, const Io& io);

    const PageValues& pageValues() const { return page_; }
    const PageValues& appliedValues() const { return applied_; }
    bool dirty() const { return dirty_; }

    // Whether the controls of the border widths are enabled for a border type.
    static bool widthsEnabledFor(int32_t borderType);

private:
    struct Command {
        int control;
        PageEvent event;
        // False for the browse button, which changes the page only on a choice.
        bool dirtiesFirst;
        void (QucapsyfPageModel::*run)(int control, PageView& view);
    };
    static const Command kCommands[];

    void show(PageView& view);
    void bringIntoRange();
    void showWidthEnabling(PageView& view);

    void captionPathEdited(int control, PageView& view);
    void browseCaptionFile(int control, PageView& view);
    void faceChosen(int control, PageView& view);
    void sizeChosen(int control, PageView& view);
    void layoutClicked(int control, PageView& view);
    void flagClicked(int control, PageView& view);
    void borderClicked(int control, PageView& view);
    void widthChosen(int control, PageView& view);
    void resetClicked(int control, PageView& view);
    void defaultClicked(int control, PageView& view);

    RememberedFolder& dialogFolder_;
    PageValues page_;
    PageValues applied_;
    std::vector<std::u16string> faceItems_;
    bool dirty_ = false;
    // Set while values are being shown: the edit reports its new text as a
    // change, which is not the user's.
    bool showing_ = false;
};

}  // namespace qucap
