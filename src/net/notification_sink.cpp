#include "notification_sink.h"

#include <utility>

namespace snpp::net {

NotificationSink::NotificationSink(EventLoop& loop, Handler handler)
    : loop_(loop), handler_(std::move(handler)), self_(std::make_shared<NotificationSink*>(this)) {}

NotificationSink::~NotificationSink() { *self_ = nullptr; }

void NotificationSink::Deliver(Socket s, long event, int error) {
  if (handler_) handler_(s, event, error);
}

void NotificationSink::Post(Socket s, long event, int error) {
  std::weak_ptr<NotificationSink*> weak = self_;
  loop_.Post([weak, s, event, error] {
    if (auto self = weak.lock(); self && *self) (*self)->Deliver(s, event, error);
  });
}

}  // namespace snpp::net
