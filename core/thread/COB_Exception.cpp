#include "COB_Exception.h"

#include "COB_MemoryMgr.h"
#include "COB_ThreadContext.h"

#include <cstring>

namespace {

COB_ExceptionErrorContext* CurrentContext()
{
    COB_ExceptionContext* context = OB_Thread_GetExceptionContext();
    COB_ExceptionErrorContext* errors = context ? context->m_pErrorContext : nullptr;
    return errors && errors->m_pFrames ? errors : nullptr;
}

bool PassesOn(uint32_t code)
{
    return (code & 0xFF) != 0;
}

} // namespace

bool COB_ExceptionErrorContext::Initialize()
{
    if (m_pFrames)
        return true;
    m_pFrames = static_cast<OB_EXCEPTION_FRAME*>(OB_DefAlloc2(OB_EXCEPTION_FRAMES, sizeof(OB_EXCEPTION_FRAME)));
    if (!m_pFrames)
        return false;
    std::memset(m_pFrames, 0, OB_EXCEPTION_FRAMES * sizeof(OB_EXCEPTION_FRAME));
    m_Level = -1;
    return true;
}

void COB_ExceptionErrorContext::Finalize()
{
    OB_DefFree(m_pFrames);
    m_pFrames = nullptr;
    m_Level = -1;
}

bool COB_ExceptionContext::Initialize()
{
    if (m_pErrorContext)
        return true;
    m_pErrorContext = new COB_ExceptionErrorContext;
    if (!m_pErrorContext)
        return false;
    if (m_pErrorContext->Initialize())
        return true;
    Finalize();
    return false;
}

void COB_ExceptionContext::Finalize()
{
    delete m_pErrorContext;
    m_pErrorContext = nullptr;
}

bool OB_Push_Try(COB_ExceptionErrorContext* context)
{
    if (context->m_Level < OB_EXCEPTION_FRAMES - 1)
        return true;
    context->m_pFrames[context->m_Level].code = OB_EXCEPTION_OVERFLOW;
    return false;
}

void OB_IMP_Throw(OB_EXCEPTION_FRAME* frame, int value)
{
    // What the frame's setjmp reports after the jump: a jump with 0 arrives as 1.
    frame->code = value ? static_cast<uint32_t>(value) : 1u;
    longjmp(frame->jump, value);
}

void OB_Throw(int code)
{
    COB_ExceptionErrorContext* context = CurrentContext();
    if (!context || context->m_Level < 0)
        return;
    OB_IMP_Throw(&context->m_pFrames[context->m_Level], code);
}

void OB_ContinueThrow()
{
    COB_ExceptionErrorContext* context = CurrentContext();
    // With no enclosing try block there is no frame to pass the code to.
    if (!context || context->m_Level < 0 || context->m_Level + 1 >= OB_EXCEPTION_FRAMES)
        return;
    const uint32_t code = context->m_pFrames[context->m_Level + 1].code;
    if (PassesOn(code))
        OB_IMP_Throw(&context->m_pFrames[context->m_Level], static_cast<int>(code));
}

int OB_GetCatchCode()
{
    COB_ExceptionErrorContext* context = CurrentContext();
    if (!context || context->m_Level + 1 >= OB_EXCEPTION_FRAMES)
        return 0;
    return static_cast<int>(context->m_pFrames[context->m_Level + 1].code);
}

COB_Exception::COB_Exception()
    : m_bCaught(false), m_bGuarded(false), m_pContext(CurrentContext()), m_Frame(-1), m_PriorCode(0)
{
    if (!m_pContext)
        return;
    m_Frame = ++m_pContext->m_Level;
    if (m_Frame < OB_EXCEPTION_FRAMES)
        m_PriorCode = m_pContext->m_pFrames[m_Frame].code;
}

COB_Exception::~COB_Exception()
{
    if (!m_pContext)
        return;
    // A handler's caught code lives in the frame just above its level, the very frame a try
    // block inside the handler takes. Given back as found when nothing was thrown in it, so the
    // handler still reads and passes on its own code after calling anything that uses a try.
    if (m_Frame < OB_EXCEPTION_FRAMES && m_pContext->m_pFrames[m_Frame].code == 0)
        m_pContext->m_pFrames[m_Frame].code = m_PriorCode;
    if (!m_bCaught)
        --m_pContext->m_Level;
}

bool COB_Exception::Enter()
{
    if (!m_pContext)
        return true;
    if (!OB_Push_Try(m_pContext))
        return false;
    m_pContext->m_pFrames[m_pContext->m_Level].code = 0;
    m_bGuarded = true;
    return true;
}

bool COB_Exception::Catch(int code)
{
    if (!m_pContext || m_bCaught || m_pContext->m_pFrames[m_pContext->m_Level].code != static_cast<uint32_t>(code))
        return false;
    --m_pContext->m_Level;
    m_bCaught = true;
    return true;
}

bool COB_Exception::CatchAll()
{
    if (!m_pContext || m_bCaught || !PassesOn(m_pContext->m_pFrames[m_pContext->m_Level].code))
        return false;
    --m_pContext->m_Level;
    m_bCaught = true;
    return true;
}

void COB_Exception::EndTry()
{
    if (!m_pContext || m_bCaught || m_pContext->m_Level < 1)
        return;
    const uint32_t code = m_pContext->m_pFrames[m_pContext->m_Level].code;
    if (!PassesOn(code))
        return;
    // The jump skips this object's destructor, so the level steps back here.
    --m_pContext->m_Level;
    m_bCaught = true;
    OB_IMP_Throw(&m_pContext->m_pFrames[m_pContext->m_Level], static_cast<int>(code));
}
