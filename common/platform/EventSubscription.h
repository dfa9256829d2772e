#pragma once
// Event queries in the management namespace ROOT\WMI: a program subscribes to an event class by
// name and is told of each event of that class the system raises.
//
// The system daemon of the simulated machine raises `TsWLANMessageEvent` when the adapter's driver
// sets its message flags and `MSNdis_StatusMediaConnect` when the adapter's link comes up.
// Batches are delivered on a worker thread of the subscription, never on the loop's thread; a
// receiver posts to its loop.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

// One event object of a batch. `className` is its "__CLASS" property; empty when the property
// cannot be read (a receiver stops reading the batch there).
struct EventObject {
  std::optional<std::string> className;
};

class EventSubscription {
 public:
  using Id = uint64_t;  // 0 is never a valid subscription
  using BatchCallback = std::function<void(const std::vector<EventObject>& batch)>;

  virtual ~EventSubscription() = default;
  // Connects to the management service with the current user's credentials. False when the
  // service is unavailable; subscriptions need a connection.
  virtual bool Connect() = 0;
  // Starts the asynchronous notification query "SELECT * FROM <className>". 0 when the query is
  // not accepted (no connection, or no provider raises that class).
  virtual Id Subscribe(std::string_view className, BatchCallback callback) = 0;
  // Cancels one query. When it returns, the callback is not running and will not run again.
  virtual void Cancel(Id id) = 0;
  // Drops the connection (cancelling what is left).
  virtual void Disconnect() = 0;
};

}  // namespace kavo9
