#include "pipeline.h"

namespace zevtool {

ChunkPipeline::ChunkPipeline(const std::vector<LineConverter*>& converters)
    : converters_(converters) {
    if (converters_.size() > 1)
        for (LineConverter* converter : converters_)
            threads_.emplace_back(&ChunkPipeline::Work, this, converter);
}

ChunkPipeline::~ChunkPipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        todo_.clear();
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ChunkPipeline::Submit(std::unique_ptr<Chunk> chunk) {
    std::shared_ptr<Job> job = std::make_shared<Job>();
    job->chunk = std::move(chunk);
    if (threads_.empty()) {
        ConvertChunk(*converters_[0], job->chunk.get());
        job->done = true;
        pending_.push_back(job);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.push_back(job);
        todo_.push_back(job);
    }
    workReady_.notify_one();
}

std::unique_ptr<Chunk> ChunkPipeline::Take() {
    std::shared_ptr<Job> job = pending_.front();
    {
        std::unique_lock<std::mutex> lock(mutex_);
        jobDone_.wait(lock, [&job] { return job->done; });
        pending_.pop_front();
    }
    return std::move(job->chunk);
}

void ChunkPipeline::Work(LineConverter* converter) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workReady_.wait(lock, [this] { return stopping_ || !todo_.empty(); });
        if (stopping_) return;
        std::shared_ptr<Job> job = todo_.front();
        todo_.pop_front();
        lock.unlock();
        ConvertChunk(*converter, job->chunk.get());
        lock.lock();
        job->done = true;
        jobDone_.notify_all();
    }
}

}  // namespace zevtool
