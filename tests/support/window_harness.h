#pragma once

#include "test_platform.h"
#include "gui/window/form1.h"
#include "services/tracking_client.h"

#include <memory>

// A main window on a test platform with its own data directory.
struct WindowHarness
{
    TestPlatform test;
    std::unique_ptr<TrackingClient> tracking;
    std::unique_ptr<Form1> form;

    // The client is made here, so that it uses the secret store a test gave the platform before.
    Form1 &open()
    {
        tracking = std::make_unique<TrackingClient>(test.http, test.configuration, test.platform().secrets);
        form = std::make_unique<Form1>(test.platform(), *tracking);
        return *form;
    }
};
