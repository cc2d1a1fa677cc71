#pragma once
// The check of every caption-list row before playback and synthesis.
#include <string>

#include "app/core/caption_list/caption_list.h"
#include "captiondata/io/ui.h"

namespace qucap {

// The message of the first row that fails, or empty when every row passes.
std::u16string captionListFault(const CaptionList& list);

// Puts the message (or nothing) on the message line; 0 when every row passes, else -1.
int validateCaptionList(const CaptionList& list, Ui& ui);

}  // namespace qucap
