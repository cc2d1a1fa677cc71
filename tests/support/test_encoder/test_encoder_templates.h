#pragma once
// The encoder's class template and filter registration data, shared by the
// registration for this process and by the module QucapTestEncoder.ax.
#include <span>

#include "dshowbase/class_factory.h"

namespace qucap::test {

std::span<const CFactoryTemplate> testEncoderTemplates();

}  // namespace qucap::test
