#include "net_component.h"

namespace snpp::net {

ECodedError::ECodedError(std::int32_t code, const std::string& text)
    : std::runtime_error(std::to_string(code) + ": " + text), code_(code) {}

std::string_view ECodedError::Text() const {
  return std::string_view(what()).substr(std::to_string(code_).size() + 2);
}

std::exception_ptr TNetComponent::CreateError(std::int32_t code, const std::string& text) const {
  return std::make_exception_ptr(ECodedError(code, text));
}

void TNetComponent::RaiseError(std::int32_t code, const std::string& text) const {
  std::rethrow_exception(CreateError(code, text));
}

}  // namespace snpp::net
