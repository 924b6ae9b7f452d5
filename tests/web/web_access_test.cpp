// Who gets in to the web page, and which browser keys are the panel's keys.
#include <gtest/gtest.h>

#include "core/key_codes.h"
#include "web/key_names.h"
#include "web/web_access.h"

namespace vocapan::web {
namespace {

struct HostCase {
    const char* host;
    const char* local;  // the address the request reached
    bool allowed;
};

class HostHeader : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostHeader, only_this_computers_own_names_and_addresses_are_answered) {
    EXPECT_EQ(hostIsThisComputer(GetParam().host, GetParam().local, "Shack", 8080), GetParam().allowed)
        << GetParam().host;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HostHeader,
    ::testing::Values(HostCase{"127.0.0.1:8080", "127.0.0.1", true}, HostCase{"localhost:8080", "::1", true},
                      HostCase{"[::1]:8080", "::1", true}, HostCase{"shack:8080", "192.168.1.20", true},
                      HostCase{"SHACK.local:8080", "192.168.1.20", true},
                      HostCase{"192.168.1.20", "192.168.1.20", true},
                      HostCase{"example.org", "127.0.0.1", false},  // a name pointed at this computer
                      HostCase{"example.org:8080", "127.0.0.1", false}, HostCase{"127.0.0.1:9090", "127.0.0.1", false},
                      HostCase{"192.168.1.21:8080", "192.168.1.20", false}, HostCase{"", "127.0.0.1", false},
                      HostCase{"[::1:8080", "::1", false}, HostCase{"::1", "::1", false},
                      HostCase{"shack.example.org:8080", "192.168.1.20", false}));

TEST(PageOrigin, only_the_page_itself_may_change_anything) {
    EXPECT_TRUE(originIsPage("http://127.0.0.1:8080", "127.0.0.1:8080"));
    EXPECT_TRUE(originIsPage("http://Shack:8080", "shack:8080"));
    EXPECT_FALSE(originIsPage("http://example.org", "127.0.0.1:8080"));
    EXPECT_FALSE(originIsPage("https://127.0.0.1:8080", "127.0.0.1:8080"));
    EXPECT_FALSE(originIsPage("", "127.0.0.1:8080"));
    EXPECT_FALSE(originIsPage("null", "127.0.0.1:8080"));
}

TEST(PageToken, is_read_from_the_cookie_among_others) {
    EXPECT_EQ(tokenOfCookie("a=1; vocapan=abc; b=2"), "abc");
    EXPECT_EQ(tokenOfCookie("vocapanx=abc"), "");
    EXPECT_EQ(tokenOfCookie(""), "");
}

// A fixed run of numbers: the code is 123456 at first and 789012 after three wrong ones.
unsigned nextNumber() {
    static unsigned count = 0;
    return ++count;
}

TEST(WebCode, the_right_code_gives_a_lasting_token_and_three_wrong_codes_a_new_code) {
    WebCodes codes(nextNumber);
    const std::string first = codes.code();
    ASSERT_EQ(first.size(), 6u);
    EXPECT_TRUE(codes.takeNewCode());
    EXPECT_FALSE(codes.takeNewCode());  // said once

    const auto token = codes.tryCode(first);
    ASSERT_TRUE(token);
    EXPECT_TRUE(codes.knows(*token));
    EXPECT_FALSE(codes.knows("not-a-token"));
    EXPECT_FALSE(codes.knows(""));

    EXPECT_FALSE(codes.tryCode("000000"));
    EXPECT_FALSE(codes.tryCode(""));
    EXPECT_EQ(codes.code(), first);
    EXPECT_FALSE(codes.tryCode(first + "0"));
    EXPECT_NE(codes.code(), first);
    EXPECT_TRUE(codes.takeNewCode());  // the new code is said
    EXPECT_FALSE(codes.tryCode(first));
    EXPECT_TRUE(codes.knows(*token));  // a browser let in stays in
}

struct KeyCase {
    const char* code;
    int virtualKey;  // 0: not a key of the panel
};

class BrowserKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(BrowserKey, is_the_windows_key_of_the_same_place) {
    const auto key = virtualKeyOf(GetParam().code);
    EXPECT_EQ(key.value_or(0), GetParam().virtualKey) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BrowserKey,
    ::testing::Values(KeyCase{"Space", vk::kSpace}, KeyCase{"KeyA", 'A'}, KeyCase{"KeyZ", 'Z'}, KeyCase{"Digit0", '0'},
                      KeyCase{"Digit9", '9'}, KeyCase{"Numpad5", 101}, KeyCase{"NumpadDecimal", vk::kNumpadPoint},
                      KeyCase{"F1", vk::kF1}, KeyCase{"F12", vk::kF12}, KeyCase{"ArrowRight", vk::kRight},
                      KeyCase{"PageDown", vk::kPageDown}, KeyCase{"Equal", vk::kPlus}, KeyCase{"Minus", vk::kMinus},
                      KeyCase{"Period", vk::kPoint}, KeyCase{"NumpadEnter", vk::kEnter},
                      KeyCase{"Backspace", vk::kBackspace}, KeyCase{"ShiftLeft", vk::kShift}, KeyCase{"F13", 0},
                      KeyCase{"F0", 0}, KeyCase{"Key", 0}, KeyCase{"KeyAB", 0}, KeyCase{"Escape", 0}, KeyCase{"", 0}));

}  // namespace
}  // namespace vocapan::web
