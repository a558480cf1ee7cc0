// Control notifications (CM_*) that controls send each other, and the
// reflected notifications (CN_*) that a parent hands back to the child that
// sent a WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*... or a key message.
#pragma once

#include <windows.h>

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x01;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x02;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 0x03;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x04;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x05;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x06;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x07;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x08;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x09;  // LParam: the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x0A;  // LParam: the control
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x0B;   // WParam: virtual key, LParam: key data
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x0C;  // WParam: character, LParam: key data
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x0D;  // LParam: the focused control
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 0x0E;  // WParam: control, LParam: inserting
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 0x0F;
constexpr UINT CM_DEACTIVATE = CM_BASE + 0x10;
constexpr UINT CM_ACTIVATE = CM_BASE + 0x11;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 0x12;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 0x13;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x14;
constexpr UINT CM_CHILDKEY = CM_BASE + 0x15;
constexpr UINT CM_ENTER = CM_BASE + 0x16;
constexpr UINT CM_EXIT = CM_BASE + 0x17;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 0x18;  // WParam: group index, LParam: the button
constexpr UINT CM_RELEASE = CM_BASE + 0x19;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 0x1A;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x1B;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 0x1C;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 0x1D;
constexpr UINT CM_RECREATEWND = CM_BASE + 0x1E;
constexpr UINT CM_INVALIDATE = CM_BASE + 0x1F;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 0x20;
constexpr UINT CM_WININICHANGE = CM_BASE + 0x21;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 0x22;
constexpr UINT CM_HITTEST = CM_BASE + 0x23;
constexpr UINT CM_CANCELMODE = CM_BASE + 0x24;
constexpr UINT CM_ISSHORTCUT = CM_BASE + 0x25;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 0x26;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 0x27;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 0x28;
constexpr UINT CM_HINTSHOW = CM_BASE + 0x30;  // LParam: a THintInfo*; non-zero result cancels

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
