#ifndef COB_EXCEPTION_H
#define COB_EXCEPTION_H

#include <csetjmp>
#include <cstdint>

#include "COB_Object.h"

// Try/catch with integer codes over non-local jumps, one stack of frames per thread. A jump skips
// the destructors of everything between the throw and the frame, so code that can throw holds
// no objects that need destruction.
//
//     OB_TRY {
//         ... OB_Throw(5); ...
//     } OB_CATCH(5) {
//         ... OB_GetCatchCode() == 5 ...
//     } OB_CATCHALL {
//         ... OB_ContinueThrow(); ...
//     } OB_ENDTRY
//
// A code whose low 8 bits are 0 is caught only by its exact OB_CATCH and is never passed on.

enum { OB_EXCEPTION_FRAMES = 512, OB_EXCEPTION_OVERFLOW = 257 };

struct OB_EXCEPTION_FRAME
{
    uint32_t code; // 0 while the body runs; the thrown code after a throw
    jmp_buf jump;
};

class COB_ExceptionErrorContext : public COB_Object
{
public:
    COB_ExceptionErrorContext() : m_Level(-1), m_pFrames(nullptr) {}
    ~COB_ExceptionErrorContext() { Finalize(); }

    bool Initialize();
    void Finalize();

    int32_t m_Level; // innermost active frame; -1 when no try block is active
    OB_EXCEPTION_FRAME* m_pFrames;
};

// Each thread context and the process context hold one.
class COB_ExceptionContext
{
public:
    COB_ExceptionContext() : m_pErrorContext(nullptr) {}
    ~COB_ExceptionContext() { Finalize(); }
    COB_ExceptionContext(const COB_ExceptionContext&) = delete;
    COB_ExceptionContext& operator=(const COB_ExceptionContext&) = delete;

    bool Initialize();
    void Finalize();

    COB_ExceptionErrorContext* m_pErrorContext;
};

// False (and the top frame marked with code 257) when no further frame is free.
bool OB_Push_Try(COB_ExceptionErrorContext* context);
// Jump to the innermost try block with code; returns at once when no try block is active.
void OB_Throw(int code);
// Inside a handler: passes the code just caught on to the enclosing try block, if any.
void OB_ContinueThrow();
// Inside a handler: the code just caught.
int OB_GetCatchCode();
[[noreturn]] void OB_IMP_Throw(OB_EXCEPTION_FRAME* frame, int value);

// The try block's own frame; lives on the stack inside the block.
class COB_Exception
{
public:
    COB_Exception();
    ~COB_Exception();
    COB_Exception(const COB_Exception&) = delete;
    COB_Exception& operator=(const COB_Exception&) = delete;

    bool Catch(int code);
    bool CatchAll();
    void EndTry();

    // Whether the body may run: false when the frame stack is full (the handlers then see 257).
    // A thread without an exception context runs the body unguarded.
    bool Enter();
    // The frame to record the jump point in, or null when the body runs unguarded or not at all.
    OB_EXCEPTION_FRAME* GuardedFrame() const { return m_bGuarded ? &m_pContext->m_pFrames[m_pContext->m_Level] : nullptr; }

private:
    bool m_bCaught;
    bool m_bGuarded;
    COB_ExceptionErrorContext* m_pContext;
    int32_t m_Frame;       // the frame this block took
    uint32_t m_PriorCode; // what that frame held before: a running handler's caught code
};

#define OB_TRY                                                                                                     \
    {                                                                                                              \
        COB_Exception ob_exception_;                                                                               \
        volatile bool ob_run_body_ = ob_exception_.Enter();                                                        \
        if (ob_exception_.GuardedFrame()) {                                                                        \
            if (setjmp(ob_exception_.GuardedFrame()->jump) != 0)                                                   \
                ob_run_body_ = false;                                                                              \
        }                                                                                                          \
        if (ob_run_body_) {
#define OB_CATCH(code)                                                                                             \
    }                                                                                                              \
    else if (ob_exception_.Catch(code))                                                                            \
    {
#define OB_CATCHALL                                                                                                \
    }                                                                                                              \
    else if (ob_exception_.CatchAll())                                                                             \
    {
#define OB_ENDTRY                                                                                                  \
    }                                                                                                              \
    ob_exception_.EndTry();                                                                                        \
    }

#endif
