#include "COB_Exception.h"

#include "COB_ProcessContext.h"
#include "COB_ThreadContext.h"
#include "OB_Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class COB_ExceptionTest : public ::testing::Test
{
protected:
    void SetUp() override { OB_Process_Initialize(); }
    void TearDown() override { OB_Process_Finalize(); }
};

int Level()
{
    return OB_Thread_GetExceptionContext()->m_pErrorContext->m_Level;
}

// What a try block saw, as text: b = body ran to its end, c<n> = Catch(n) handler, a<n> = CatchAll
// handler with the code read back; e = after the block.
struct Trace
{
    char text[64] = {};
    int used = 0;
    void Add(char c, int code = -1)
    {
        used += snprintf(text + used, sizeof(text) - used, code < 0 ? "%c" : "%c%d", c, code);
    }
};

void ThrowFrom(int code)
{
    OB_Throw(code);
}

void RunOne(Trace& trace, int code)
{
    OB_TRY {
        if (code)
            ThrowFrom(code);
        trace.Add('b');
    } OB_CATCH(5) {
        trace.Add('c', OB_GetCatchCode());
    } OB_CATCH(256) {
        trace.Add('c', OB_GetCatchCode());
    } OB_CATCHALL {
        trace.Add('a', OB_GetCatchCode());
    } OB_ENDTRY
    trace.Add('e');
}

TEST_F(COB_ExceptionTest, CatchRules)
{
    struct Case
    {
        int code;
        const char* seen;
    } const cases[] = {
        {0, "be"},        {5, "c5e"},  {7, "a7e"}, {256, "c256e"},
        {513, "a513e"}, // low 8 bits 1: any handler takes it
    };
    for (const Case& c : cases) {
        Trace trace;
        RunOne(trace, c.code);
        EXPECT_STREQ(trace.text, c.seen) << c.code;
        EXPECT_EQ(Level(), -1);
    }
}

void Inner(Trace& trace, int code)
{
    OB_TRY {
        OB_Throw(code);
        trace.Add('x');
    } OB_CATCH(3) {
        trace.Add('i', OB_GetCatchCode());
    } OB_ENDTRY
    trace.Add('n');
}

void Outer(Trace& trace, int code)
{
    OB_TRY {
        Inner(trace, code);
        trace.Add('b');
    } OB_CATCHALL {
        trace.Add('o', OB_GetCatchCode());
    } OB_ENDTRY
    trace.Add('e');
}

TEST_F(COB_ExceptionTest, UncaughtCodesPassOutward)
{
    struct Case
    {
        int code;
        const char* seen;
    } const cases[] = {
        {3, "i3nbe"},   // caught inside
        {9, "o9e"},     // passed on by the inner block's end
        {512, "nbe"},   // low 8 bits 0: dropped at the inner block's end
    };
    for (const Case& c : cases) {
        Trace trace;
        Outer(trace, c.code);
        EXPECT_STREQ(trace.text, c.seen) << c.code;
        EXPECT_EQ(Level(), -1);
    }
}

TEST_F(COB_ExceptionTest, ContinueThrowFromAHandler)
{
    Trace trace;
    OB_TRY {
        OB_TRY {
            OB_Throw(11);
        } OB_CATCH(11) {
            trace.Add('h', OB_GetCatchCode());
            OB_ContinueThrow();
            trace.Add('x');
        } OB_ENDTRY
        trace.Add('x');
    } OB_CATCH(11) {
        trace.Add('o', OB_GetCatchCode());
    } OB_ENDTRY
    EXPECT_STREQ(trace.text, "h11o11");
    EXPECT_EQ(Level(), -1);

    // Outermost: nothing encloses the handler, so the rethrow returns.
    Trace alone;
    OB_TRY {
        OB_Throw(12);
    } OB_CATCHALL {
        OB_ContinueThrow();
        alone.Add('r', OB_GetCatchCode());
    } OB_ENDTRY
    EXPECT_STREQ(alone.text, "r12");
    EXPECT_EQ(Level(), -1);
}

void QuietWork(Trace& trace)
{
    OB_TRY {
        trace.Add('q');
    } OB_CATCHALL {
        trace.Add('x');
    } OB_ENDTRY
}

TEST_F(COB_ExceptionTest, AHandlerKeepsItsCodeAcrossATryBlockThatThrewNothing)
{
    // The handler's work uses a try block of its own; the code it rethrows must survive it.
    Trace trace;
    OB_TRY {
        OB_TRY {
            OB_Throw(11);
        } OB_CATCH(11) {
            QuietWork(trace);
            trace.Add('h', OB_GetCatchCode());
            OB_ContinueThrow();
            trace.Add('x');
        } OB_ENDTRY
    } OB_CATCHALL {
        trace.Add('o', OB_GetCatchCode());
    } OB_ENDTRY
    EXPECT_STREQ(trace.text, "qh11o11");
    EXPECT_EQ(Level(), -1);
}

TEST_F(COB_ExceptionTest, ThrowWithoutTryReturns)
{
    OB_Throw(5);
    OB_ContinueThrow();
    EXPECT_EQ(Level(), -1);
    EXPECT_EQ(OB_GetCatchCode(), 0);
}

void Nest(int depth, int& deepest, int& overflowSeen)
{
    OB_TRY {
        deepest = Level();
        Nest(depth + 1, deepest, overflowSeen);
    } OB_CATCH(OB_EXCEPTION_OVERFLOW) {
        overflowSeen = Level() + 1;
    } OB_ENDTRY
}

TEST_F(COB_ExceptionTest, TheFrameStackOverflowsWithCode257)
{
    int deepest = -1, overflowSeen = -1;
    Nest(0, deepest, overflowSeen);
    EXPECT_EQ(deepest, 510);      // the deepest block whose body ran
    EXPECT_EQ(overflowSeen, 511); // the refused block saw 257 in its own frame
    EXPECT_EQ(Level(), -1);
}

void ThrowThroughTwoBlocks(int code, std::atomic<int>* caught)
{
    OB_TRY {
        OB_TRY {
            OB_Throw(code);
        } OB_CATCH(-1) {
        } OB_ENDTRY
    } OB_CATCHALL {
        if (OB_GetCatchCode() == code)
            ++*caught;
    } OB_ENDTRY
}

void ThrowManyTimes(void* param)
{
    std::atomic<int>* caught = static_cast<std::atomic<int>*>(param);
    for (int i = 1; i <= 2000; ++i)
        ThrowThroughTwoBlocks(i, caught);
    if (OB_Thread_GetExceptionContext()->m_pErrorContext->m_Level != -1)
        *caught = -100000;
}

TEST_F(COB_ExceptionTest, EachThreadHasItsOwnFrames)
{
    std::atomic<int> caught[3] = {};
    _OB_HTHREAD threads[3];
    for (int i = 0; i < 3; ++i)
        threads[i] = OB_Thread_Create(0, 0, ThrowManyTimes, &caught[i]);
    ThrowManyTimes(&caught[0]); // the initialising thread too, at the same time
    EXPECT_EQ(OB_Thread_WaitForMultipleThreads(threads, 3), 0);
    // Codes whose low 8 bits are 0 are not passed on by the inner block: 7 of the 2000.
    EXPECT_EQ(caught[0].load(), 2 * (2000 - 7));
    EXPECT_EQ(caught[1].load(), 2000 - 7);
    EXPECT_EQ(caught[2].load(), 2000 - 7);
}

TEST(COB_ExceptionNoContext, BodiesRunUnguardedWithoutAContext)
{
    ASSERT_EQ(OB_Thread_GetExceptionContext(), nullptr);
    Trace trace;
    OB_TRY {
        OB_Throw(5); // nowhere to jump: returns
        trace.Add('b');
    } OB_CATCHALL {
        trace.Add('a');
    } OB_ENDTRY
    EXPECT_STREQ(trace.text, "b");
}

} // namespace
