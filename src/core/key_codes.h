#pragma once
// The key and shift codes the behaviour is written in (Windows virtual keys,
// shift masks), mapped from Qt in this one place.

#include <Qt>

namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
              Capital = 20, Escape = 27, Prior = 33, Next = 34, End = 35, Home = 36,
              Left = 37, Up = 38, Right = 39, Down = 40, LWin = 91,
              F1 = 112, F5 = 116, F12 = 123;
}

// Shift-state mask: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// The virtual-key code of a Qt key; letters and digits map to their upper-case
// ASCII code, unknown keys to 0.
int VirtualKey(int qtKey);

int ShiftState(Qt::KeyboardModifiers modifiers);
