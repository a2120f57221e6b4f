#pragma once
// The TR-3700's page classes by page type, for the main window's sheet
// factory: "St_Common" settings pages, "St_ColCut" and "St_PLink" channel
// pages, "St_CCBank" bank pages, and the list pages "St_UrList",
// "St_RptList" and "St_ChGps". Every other type stays a plain sheet.
class MainFrame;
class cuiMain;

// The controller must outlive the window's sheets.
void RegisterPageClasses(MainFrame& frame, cuiMain& main);
