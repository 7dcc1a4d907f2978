#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace snpp::net {

// An error with a numeric code; the message reads "code: text".
class ECodedError : public std::runtime_error {
 public:
  ECodedError(std::int32_t code, const std::string& text);
  std::int32_t Code() const { return code_; }
  // The message without its code.
  std::string_view Text() const;

 private:
  std::int32_t code_;
};

// Base of the network components: each builds the exception of its own kind.
class TNetComponent {
 public:
  TNetComponent() = default;
  virtual ~TNetComponent() = default;
  TNetComponent(const TNetComponent&) = delete;
  TNetComponent& operator=(const TNetComponent&) = delete;

  virtual std::exception_ptr CreateError(std::int32_t code, const std::string& text) const;

 protected:
  [[noreturn]] void RaiseError(std::int32_t code, const std::string& text) const;
};

}  // namespace snpp::net
