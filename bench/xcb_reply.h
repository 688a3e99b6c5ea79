#pragma once

#include <cstdlib>
#include <memory>

namespace quorvane::bench {

// A reply from xcb, which the caller frees with std::free.
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

}  // namespace quorvane::bench
