#pragma once
// Registering the caption filter module with the system's registration tool,
// the filter's own property page shown between a registration and an
// unregistration, and the list of the graph's filters.
#include <windows.h>

#include <string>

#include "app/media/caption_filter.h"
#include "app/media/filter_graph.h"
#include "captiondata/io/io.h"

namespace qucap {

// The module to register and how the tool is started.
struct FilterModule {
    std::u16string path;        // the program folder's "Qucapsyf.ax"
    bool modernSystem = false;  // start the tool with "runas" (elevation) rather than "open"
};

// registerFilter / unregisterFilter: runs "regsvr32.exe" of the system
// directory, hidden, with "/s " or "/u /s " and the module path in quotes,
// and waits for it to end. A missing module or tool is told in a warning box
// (nothing else happens); a start that fails or is declined, silently. 0
// when the tool ran to its end (its own exit code is not examined), else -1.
int registerFilter(const Io& io, const FilterModule& module, HWND owner);
int unregisterFilter(const Io& io, const FilterModule& module, HWND owner);

// showFilterProperties: registers the module, lets go of the caption filter
// the graph record holds, makes a new caption filter, adds it to the graph as
// "Kavren Caption Synthesize Filter", shows its property pages in the
// standard property frame, removes and releases it, and unregisters the
// module. When the filter's class was registered before (an installation
// for other programs), neither registers nor unregisters, so that
// registration stays. -1 when the registration failed, else 0. The graphs built
// afterwards still make the caption filter: createCaptionFilter loads the
// module from the program folder when its class is no longer registered.
int showFilterProperties(const Io& io, const FilterModule& module, FilterGraph& graph, const FilterMaker& makeCaptionFilter,
                         HWND owner);

// listGraphFilters: "登録されているフィルタ" and the graph name of each
// filter in the graph, one a line (at most 255 characters), in a message box
// with the information icon.
void listGraphFilters(Ui& ui, const FilterGraph& graph);

}  // namespace qucap
