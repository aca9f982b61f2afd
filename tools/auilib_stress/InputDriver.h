#pragma once

#include "World.h"

class StressRandom;

// A user's input to a control's widget, as QTest and Qt's own events deliver
// it from the running event loop: clicks, double clicks, drags, keys, typing,
// the wheel, context menus, focus, hovering, file drops and row drops, and the
// window resized or closed. The widget may have lost its control already.
//
// The offscreen platform runs no drag session, so a row dropped inside a list
// box or a tree view is delivered as the view's drop runs it (ListBoxQt and
// TreeViewQt, the one place the run reaches past the public headers).
class InputDriver
{
public:
    // The names --skip takes.
    static const char *const kNames[];
    static const int kCount;

    // One input, its kind and details drawn from `random`; traced.
    static void act(World &world, World::Control &target, StressRandom &random);
};
