#pragma once

#include "test_platform.h"
#include "gui/window/form1.h"

#include <memory>

// A main window on a test platform with its own data directory.
struct WindowHarness
{
    TestPlatform test;
    std::unique_ptr<Form1> form;

    Form1 &open()
    {
        form = std::make_unique<Form1>(test.platform());
        return *form;
    }
};
