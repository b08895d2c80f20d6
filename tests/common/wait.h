#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Waits, processing events, until the condition holds (at most five seconds), then checks it,
// the way QTRY_VERIFY and QTRY_COMPARE do, reporting to GoogleTest.
#define QTRY_EXPECT_TRUE(condition)                                                                \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return bool(condition); }, 5000);                              \
        EXPECT_TRUE(condition);                                                                    \
    } while (false)

#define QTRY_ASSERT_TRUE(condition)                                                                \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return bool(condition); }, 5000);                              \
        ASSERT_TRUE(condition);                                                                    \
    } while (false)

#define QTRY_EXPECT_EQ(actual, expected)                                                           \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);                       \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)

#define QTRY_ASSERT_EQ(actual, expected)                                                           \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);                       \
        ASSERT_EQ(actual, expected);                                                               \
    } while (false)

// Lets the work queued after the current event run (a placement, a report), however many
// rounds it takes: waits until the event queue has nothing left for a moment.
inline void settle() {
    QTest::qWait(1);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
