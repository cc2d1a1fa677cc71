// Resource identifiers of the filter module Qucapsyf.ax. Plain macros so that
// both the resource compiler and C++ code can include this file.
#pragma once

// The property page's dialog and its title.
#define IDD_QUCAPSYF_PROPERTIES 101
#define IDS_PROPERTIES_TITLE 40000

// Controls of the property page.
#define IDC_FILE_GROUP 1001
#define IDC_CAPTION_PATH_LABEL 1002
#define IDC_CAPTION_PATH 1003
#define IDC_CAPTION_BROWSE 1004
#define IDC_OUTPUT_GROUP 1005
#define IDC_MAIN_FACE_LABEL 1006
#define IDC_MAIN_FACE 1007
#define IDC_MAIN_SIZE_LABEL 1008
#define IDC_MAIN_SIZE 1009
#define IDC_RUBY_FACE_LABEL 1010
#define IDC_RUBY_FACE 1011
#define IDC_RUBY_SIZE_LABEL 1012
#define IDC_RUBY_SIZE 1013
#define IDC_RUBY_BOTH_SIDES 1014
#define IDC_RUBY_BETWEEN_LINES 1015
#define IDC_TIME_DISPLAY 1016
#define IDC_FILL 1017
#define IDC_SIDE 1018
#define IDC_BORDER_OUTLINE 1019
#define IDC_BORDER_SHADOW 1020
#define IDC_BORDER_NONE 1021
#define IDC_BORDER_BLACK_BOX 1022
#define IDC_MAIN_WIDTH_LABEL 1023
#define IDC_MAIN_WIDTH 1024
#define IDC_RUBY_WIDTH_LABEL 1025
#define IDC_RUBY_WIDTH 1026
#define IDC_RESET 1030
#define IDC_DEFAULT 1031
