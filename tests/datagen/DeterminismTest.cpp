// The generator writes the same bytes on every run (two runs into two fresh
// folders), the same file set as build/DATA, and the effect files declare
// what the game sets on them.
#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> readTree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).generic_string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

TEST(Generator, TwoRunsWriteIdenticalBytesAndTheBuildsFileSet)
{
    ScratchFolder first("datagen_a"), second("datagen_b");
    ASSERT_EQ(std::system((std::string(VT_DATAGEN_EXE) + " " + first.path().string() + " > /dev/null").c_str()), 0);
    ASSERT_EQ(std::system((std::string(VT_DATAGEN_EXE) + " " + second.path().string() + " > /dev/null").c_str()), 0);
    auto a = readTree(first.path()), b = readTree(second.path());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
    }
    auto built = readTree("DATA");
    for (const auto& [name, bytes] : a) {
        if (name.rfind("DATA/", 0) == 0) {
            EXPECT_TRUE(built.count(name.substr(5))) << name << " missing from build/DATA";
        }
    }
    const auto icons =
        std::count_if(a.begin(), a.end(), [](const auto& file) { return file.first.rfind("icons/", 0) == 0; });
    EXPECT_EQ(icons, 9) << "the icon at eight sizes and in one .ico";
    EXPECT_EQ(a.size(), built.size() + icons) << "DATA plus the icons";
}

std::string readText(const char* path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Generator, EffectFilesDeclareTheGamesParametersAndShaderModel2Passes)
{
    for (const char* path : {"DATA/SHADER/2D.fx", "DATA/SHADER/3DEx.fx"}) {
        SCOPED_TRACE(path);
        std::string fx = readText(path);
        ASSERT_FALSE(fx.empty());
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(\bfloat4x4\s+Projection\s*;)")));
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(\btexture\s+Texture\s*;)")));
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(\bsampler\s+\w+\s*=\s*sampler_state)")));
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(\btechnique\s+\w+)")));
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(VertexShader\s*=\s*compile\s+vs_2_0\s+\w+\(\))")));
        EXPECT_TRUE(std::regex_search(fx, std::regex(R"(PixelShader\s*=\s*compile\s+ps_2_0\s+\w+\(\))")));
        EXPECT_EQ(std::count(fx.begin(), fx.end(), '{'), std::count(fx.begin(), fx.end(), '}'));
    }
    std::string lit = readText("DATA/SHADER/3DEx.fx");
    EXPECT_TRUE(std::regex_search(lit, std::regex(R"(\bfloat3\s+LightDir\b)")));
    EXPECT_TRUE(std::regex_search(lit, std::regex(R"(\bfloat3\s+DirLightColor\b)")));
}

}  // namespace
