// scores_folder.h — the fixture of the tests of the kept files: the game's
// scores folder is a scratch folder of the test's own, the layer's file
// faults are cleared around each test, and the folder's files are read and
// written by name.
#pragma once

#include "app/SaveFolders.h"

#include "platform/testing.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ScoresFolderTest : public ::testing::Test {
protected:
    explicit ScoresFolderTest(const char* name) : scratch{name} {}

    void SetUp() override
    {
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = folder.string();
        testmode::restoreFiles();
    }
    void TearDown() override { testmode::restoreFiles(); }

    std::string read(const std::string& name) const
    {
        std::ifstream in(folder / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const std::string& name, const std::string& text) const { std::ofstream(folder / name) << text; }

    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.path();
};
