#pragma once

#include <functional>
#include <memory>

#include "event_loop.h"
#include "socket_api.h"

namespace snpp::net {

// Where the socket layer sends one engine's socket notifications: the
// counterpart of a hidden notification window. The layer calls Deliver from
// its own loop callbacks and Post when a notification arises inside a call.
class NotificationSink {
 public:
  using Handler = std::function<void(Socket s, long event, int error)>;

  NotificationSink(EventLoop& loop, Handler handler);
  ~NotificationSink();
  NotificationSink(const NotificationSink&) = delete;
  NotificationSink& operator=(const NotificationSink&) = delete;

  EventLoop& Loop() const { return loop_; }

  void Deliver(Socket s, long event, int error);
  // Runs later on the loop; dropped if the sink is gone by then.
  void Post(Socket s, long event, int error);

  // Whatever the socket layer keeps for this sink (on Windows its hidden
  // notification window); released before the rest of the sink.
  std::shared_ptr<void>& LayerState() { return layerState_; }

 private:
  EventLoop& loop_;
  Handler handler_;
  std::shared_ptr<NotificationSink*> self_;
  std::shared_ptr<void> layerState_;
};

}  // namespace snpp::net
