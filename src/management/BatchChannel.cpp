#include "management/BatchChannel.h"

BatchChannel::BatchChannel(int batches, int columns) {
    for (int i = 0; i < batches; ++i)
        m_empty.push_back(std::make_unique<CellBatch>(columns));
}

std::unique_ptr<CellBatch> BatchChannel::emptyBatch() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_writerStopped || !m_empty.empty(); });
    if (m_writerStopped)
        return nullptr;
    std::unique_ptr<CellBatch> batch = std::move(m_empty.back());
    m_empty.pop_back();
    batch->clear();
    return batch;
}

void BatchChannel::send(std::unique_ptr<CellBatch> batch) {
    {
        const std::lock_guard lock(m_mutex);
        m_filled.push_back(std::move(batch));
    }
    m_changed.notify_all();
}

void BatchChannel::close() {
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
}

void BatchChannel::abandon() {
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_changed.notify_all();
}

std::unique_ptr<CellBatch> BatchChannel::receive() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_abandoned || m_closed || !m_filled.empty(); });
    if (m_abandoned || m_filled.empty())
        return nullptr;
    std::unique_ptr<CellBatch> batch = std::move(m_filled.front());
    m_filled.pop_front();
    return batch;
}

void BatchChannel::recycle(std::unique_ptr<CellBatch> batch) {
    {
        const std::lock_guard lock(m_mutex);
        m_empty.push_back(std::move(batch));
    }
    m_changed.notify_all();
}

void BatchChannel::writerStopped() {
    {
        const std::lock_guard lock(m_mutex);
        m_writerStopped = true;
    }
    m_changed.notify_all();
}
