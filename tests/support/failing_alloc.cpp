// calloc and free wrappers for allocation-failure tests.
#include "tests/support/failing_alloc.h"

#include <cstddef>
#include <set>

extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void __real_free(void* block);

static int successesLeft = -1;  // -1: never fail
static int succeeded = 0;
static std::set<void*>* live = nullptr;

void callocFailAfter(int successes) {
  successesLeft = successes;
  succeeded = 0;
}

void callocSucceedAlways() {
  successesLeft = -1;
  succeeded = 0;
}

int callocCount() { return succeeded; }
int callocBlocksLive() { return live == nullptr ? 0 : static_cast<int>(live->size()); }

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size) {
  if (successesLeft == 0) return nullptr;
  if (successesLeft > 0) --successesLeft;
  void* block = __real_calloc(count, size);
  if (block != nullptr) {
    ++succeeded;
    if (live == nullptr) live = new std::set<void*>;
    live->insert(block);
  }
  return block;
}

extern "C" void __wrap_free(void* block) {
  if (live != nullptr) live->erase(block);
  __real_free(block);
}
