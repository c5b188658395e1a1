#pragma once

// A document with no window, over the tests' host, and a copy of road.net to open in it.
#include "scratch_dir.h"
#include "test_host.h"

#include "view/net_document.h"

#include <gtest/gtest.h>

#include <QSize>

#include <filesystem>
#include <string>
#include <vector>

namespace plax::testing {

// The window side of a document, recorded.
struct RecordingDisplay : DocumentDisplay {
    void SetCaption(const std::string& caption) override { captions.push_back(caption); }
    void ShowPrompt(const std::string& prompt) override { prompts.push_back(prompt); }
    void ResetCommand() override { ++resets; }
    QSize PictureSize() const override { return {300, 200}; }

    std::vector<std::string> captions;
    std::vector<std::string> prompts;
    int resets = 0;
};

class NetDocumentFixture : public ::testing::Test {
protected:
    // Opens a fresh copy of road.net and answers its path.
    std::string OpenRoadCopy() {
        const std::string path = dir.File("road.net");
        std::filesystem::copy_file(PLAX_EXAMPLES_DIR "/road.net", path);
        document.Open(path);
        return path;
    }

    TestHost host;
    ScratchDir dir;
    RecordingDisplay display;
    NetDocument document{host, display};
};

} // namespace plax::testing
