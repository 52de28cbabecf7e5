// Resource and control ids shared by the code and the resource scripts.
#ifndef BRELLOX_RESOURCE_H
#define BRELLOX_RESOURCE_H

#define IDI_BRELLOX 104

// Edge cursors, by the edge of the bar they show over.
#define IDCUR_EDGE_LEFT 101
#define IDCUR_EDGE_RIGHT 106
#define IDCUR_EDGE_TOP 109
#define IDCUR_EDGE_BOTTOM 108

#define IDM_BAR_JA 102
#define IDM_BAR_EN 111
#define IDM_OPTIONS 40001
#define IDM_CLOSE 40002

#define IDD_OPTIONS_JA 103
#define IDD_OPTIONS_EN 110

#define IDC_COLOR_BUTTON 1000
#define IDC_WIDTH_SPIN 1003
#define IDC_ALPHA_SPIN 1004
#define IDC_WIDTH_FIELD 1005
#define IDC_EDGE_LEFT 1006
#define IDC_ALPHA_FIELD 1007
#define IDC_EDGE_RIGHT 1008
#define IDC_EDGE_TOP 1009
#define IDC_EDGE_BOTTOM 1010
#define IDC_OFFSET_SPIN 1011
#define IDC_OFFSET_FIELD 1012
#define IDC_OPENWIDTH_SPIN 1013
#define IDC_OPENWIDTH_FIELD 1014
#define IDC_SWATCH 1015

#endif
