#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

void recogniseFiles(const std::vector<std::string>& files, bool withJson, unsigned jobs,
                    const std::function<void(const FileReport&)>& emit) {
    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<size_t>(jobs, std::max<size_t>(files.size(), 1)));
    if (jobs <= 1) {
        for (const std::string& file : files) emit(recogniseFileReport(file, withJson));
        return;
    }

    std::vector<std::optional<FileReport>> done(files.size());
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable ready;
    // Workers stay at most this far ahead of the writer, so memory stays bounded.
    const size_t window = 64 * jobs;
    size_t emitted = 0;

    auto worker = [&] {
        for (;;) {
            const size_t i = next.fetch_add(1);
            if (i >= files.size()) return;
            {
                std::unique_lock lock(mutex);
                ready.wait(lock, [&] { return i < emitted + window; });
            }
            FileReport report = recogniseFileReport(files[i], withJson);
            std::lock_guard lock(mutex);
            done[i] = std::move(report);
            ready.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < jobs; ++t) threads.emplace_back(worker);
    for (size_t i = 0; i < files.size(); ++i) {
        FileReport report;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return done[i].has_value(); });
            report = std::move(*done[i]);
            done[i].reset();
        }
        emit(report);
        {
            std::lock_guard lock(mutex);
            emitted = i + 1;
        }
        ready.notify_all();
    }
    for (std::thread& t : threads) t.join();
}
