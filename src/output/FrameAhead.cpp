#include "output/FrameAhead.h"

#include <utility>

namespace {

// The lock held for a scope.
class Locked {
public:
    explicit Locked(CRITICAL_SECTION& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock); }
    ~Locked() { ::LeaveCriticalSection(&m_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& m_lock;
};

}  // namespace

FrameAhead::FrameAhead(DrawFunction draw) : m_draw(draw) {
    ::InitializeCriticalSection(&m_lock);
    ::InitializeConditionVariable(&m_changed);
}

FrameAhead::~FrameAhead() {
    if (m_thread) {
        {
            const Locked locked(m_lock);
            m_ending = true;
        }
        ::WakeAllConditionVariable(&m_changed);
        ::WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
    m_made.surface.reset();
    ::DeleteCriticalSection(&m_lock);
}

void FrameAhead::WaitForWorker() {
    while (m_stage == Stage::Drawing) ::SleepConditionVariableCS(&m_changed, &m_lock, INFINITE);
}

bool FrameAhead::Order(const FrameOrder& order, std::unique_ptr<DibSurface> surface) {
    if (!m_thread) m_thread.reset(::CreateThread(nullptr, 0, &FrameAhead::Run, this, 0, nullptr));
    if (!m_thread) return false;
    Made old;
    {
        const Locked locked(m_lock);
        WaitForWorker();
        old = std::move(m_made);
        m_order = order;
        m_made = Made{std::move(surface)};
        m_stage = Stage::Waiting;
    }
    ::WakeAllConditionVariable(&m_changed);
    return true;
}

std::optional<FrameAhead::Made> FrameAhead::Take(const FrameOrder& order) {
    const Locked locked(m_lock);
    if (m_stage == Stage::None || !(m_order == order)) return std::nullopt;
    while (m_stage != Stage::Drawn) ::SleepConditionVariableCS(&m_changed, &m_lock, INFINITE);
    m_stage = Stage::None;
    return std::move(m_made);
}

void FrameAhead::Drop() {
    Made old;
    const Locked locked(m_lock);
    WaitForWorker();
    old = std::move(m_made);
    m_stage = Stage::None;
}

DWORD WINAPI FrameAhead::Run(void* self) {
    static_cast<FrameAhead*>(self)->Work();
    return 0;
}

void FrameAhead::Work() {
    const Locked locked(m_lock);
    for (;;) {
        while (!m_ending && m_stage != Stage::Waiting) ::SleepConditionVariableCS(&m_changed, &m_lock, INFINITE);
        if (m_ending) return;
        m_stage = Stage::Drawing;
        // Only this thread touches the order and the surface while they are being drawn.
        ::LeaveCriticalSection(&m_lock);
        const PictureTrouble trouble = m_draw(m_order, *m_made.surface);
        ::EnterCriticalSection(&m_lock);
        m_made.trouble = trouble;
        m_stage = Stage::Drawn;
        ::WakeAllConditionVariable(&m_changed);
    }
}
