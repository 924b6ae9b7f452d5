// What the finder tests share: a fresh working folder per test (the finder reads and writes
// the talk programs' files there), the finder on the fake platform, and the words it spoke.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "finder/seek.h"
#include "platform/fake/fake_platform.h"

namespace portseek::testing {

// Every file of the working folder by name, with its bytes; folders show as "<folder>".
using FolderContents = std::map<std::string, std::string>;

class FinderTest : public ::testing::Test {
protected:
    FinderTest();
    ~FinderTest() override;

    // The prompt names played, in order: "wave\pzkv.wav" reads as "pzkv". A path of
    // another form is kept whole, so that it shows in a failure.
    std::vector<std::string> spoken() const;

    static void writeFile(const std::string& name, const std::string& bytes);
    static FolderContents folder();

    platform::fake::FakePlatform fake;
    platform::Platform services = fake.services();
    Seek seek{{}, services, nullptr};

private:
    std::filesystem::path previousFolder_;
    std::filesystem::path folder_;
};

}  // namespace portseek::testing
