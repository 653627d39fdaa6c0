#include "platform/shell/ShellApi.h"

#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellExecute, HandsTheAddressToTheDesktopUnchanged) {
    THeadlessHost host;
    const AnsiString url = "http://example.invalid/info.php?pf=w&sn=Other Name";
    for (const char* verb : {"OPEN", "open", "", static_cast<const char*>(nullptr)})
        EXPECT_GT(ShellExecute(1, verb, url.c_str(), "", "", SW_SHOW), 32u);
    EXPECT_EQ(host.OpenedUrls(), std::vector<AnsiString>(4, url));
}

TEST(ShellExecute, OtherVerbsAndNoFileOpenNothing) {
    THeadlessHost host;
    EXPECT_EQ(ShellExecute(1, "print", "http://example.invalid/", "", "", SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(1, "open", "", "", "", SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(1, "open", nullptr, "", "", SW_SHOW), SE_ERR_NOASSOC);
    EXPECT_TRUE(host.OpenedUrls().empty());
}

} // namespace
