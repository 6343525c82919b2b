// Tests of the layer's kernel32 subset that the music threads stand on:
// auto- and manual-reset events, waits on several objects with a time-out,
// and threads that end through ExitThread.
#include <windows.h>

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> unwound{0};
std::atomic<bool> ranPastExit{false};

struct CountsUnwinding {
    ~CountsUnwinding() { ++unwound; }
};

void exitFromDeepInside(DWORD code)
{
    CountsUnwinding local;
    ExitThread(code);
}

DWORD exitingThread(LPVOID parameter)
{
    CountsUnwinding outer;
    WaitForSingleObject(static_cast<HANDLE>(parameter), INFINITE);
    exitFromDeepInside(7);
    ranPastExit = true;
    return 0;
}

}  // namespace

TEST(Kernel32, EventsAndWaits)
{
    HANDLE autoReset = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE manualReset = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(autoReset, nullptr);
    ASSERT_NE(manualReset, nullptr);
    const HANDLE both[2] = {autoReset, manualReset};

    EXPECT_EQ(WaitForSingleObject(autoReset, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(autoReset, 20), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(SetEvent(autoReset));
    EXPECT_TRUE(SetEvent(autoReset));  // setting twice still wakes one wait
    // The lowest signalled index ends the wait and an auto-reset event is consumed.
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0 + 1));
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), static_cast<DWORD>(WAIT_OBJECT_0 + 1));
    // Waiting for all needs both at once.
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(autoReset);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(ResetEvent(manualReset));
    EXPECT_EQ(WaitForSingleObject(manualReset, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    EXPECT_TRUE(CloseHandle(autoReset));
    EXPECT_FALSE(CloseHandle(autoReset));
    EXPECT_FALSE(SetEvent(autoReset));
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(0, both, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, "named"), nullptr);
    EXPECT_TRUE(CloseHandle(manualReset));
}

TEST(Kernel32, ExitThreadUnwindsAndSignalsTheHandle)
{
    HANDLE go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, exitingThread, go, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(go);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(unwound.load(), 2);
    EXPECT_FALSE(ranPastExit.load());
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_TRUE(CloseHandle(go));

    // A handle closed while its thread still runs leaves the thread alone.
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE early = CreateThread(nullptr, 0, exitingThread, hold, 0, nullptr);
    ASSERT_NE(early, nullptr);
    EXPECT_TRUE(CloseHandle(early));
    SetEvent(hold);
    EXPECT_TRUE(testmode::waitForThreads([] { return unwound.load() >= 4; })) << "the thread did not unwind";
    EXPECT_EQ(unwound.load(), 4);
    CloseHandle(hold);
}
