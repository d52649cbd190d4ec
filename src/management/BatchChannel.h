#pragma once

#include "management/CellBatch.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// Hands filled batches from the reading thread to the writing thread and the emptied ones
// back, a fixed number in all, so reading runs at most that far ahead of writing.
class BatchChannel {
public:
    BatchChannel(int batches, int columns);

    // Reading side. An empty batch to fill; null once the writer has stopped.
    std::unique_ptr<CellBatch> emptyBatch();
    void send(std::unique_ptr<CellBatch> batch);
    // No more batches: the writer finishes the ones sent.
    void close();
    // Stop now: the writer drops what is still queued.
    void abandon();

    // Writing side. The next filled batch; null once closed and drained, or abandoned.
    std::unique_ptr<CellBatch> receive();
    void recycle(std::unique_ptr<CellBatch> batch);
    // The writer failed: the reader stops asking for batches.
    void writerStopped();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<CellBatch>> m_filled;
    std::vector<std::unique_ptr<CellBatch>> m_empty;
    bool m_closed = false;
    bool m_abandoned = false;
    bool m_writerStopped = false;
};
