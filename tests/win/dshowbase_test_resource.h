// Resources of the base property page tests, linked into the test program.
// Plain macros so that the resource compiler and C++ code both include them.
#pragma once

#define IDD_DSHOWBASE_TEST_PAGE 30101
#define IDS_DSHOWBASE_TEST_TITLE 30102
#define IDC_DSHOWBASE_TEST_EDIT 30103
