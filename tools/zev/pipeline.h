// Chunks converted on several threads and handed back in the order they
// came in, with a bounded number in flight so that memory stays bounded
// however long the input.
#ifndef ZEV_TOOL_PIPELINE_H
#define ZEV_TOOL_PIPELINE_H

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "chunks.h"

namespace zevtool {

class ChunkPipeline {
public:
    // One thread per converter; with one converter the chunks are converted
    // as they are submitted, on the calling thread.
    explicit ChunkPipeline(const std::vector<LineConverter*>& converters);
    ~ChunkPipeline();
    ChunkPipeline(const ChunkPipeline&) = delete;
    ChunkPipeline& operator=(const ChunkPipeline&) = delete;

    // Whether Take must be called before the next Submit.
    bool Full() const { return pending_.size() >= 2 * converters_.size(); }
    bool Empty() const { return pending_.empty(); }
    void Submit(std::unique_ptr<Chunk> chunk);
    // The oldest submitted chunk once it is converted (not Empty()).
    std::unique_ptr<Chunk> Take();

private:
    struct Job {
        std::unique_ptr<Chunk> chunk;
        bool done = false;
    };
    void Work(LineConverter* converter);

    std::vector<LineConverter*> converters_;
    std::vector<std::thread> threads_;
    std::deque<std::shared_ptr<Job>> pending_;  // in order, until taken
    std::deque<std::shared_ptr<Job>> todo_;     // not yet started
    std::mutex mutex_;
    std::condition_variable workReady_, jobDone_;
    bool stopping_ = false;
};

}  // namespace zevtool

#endif
