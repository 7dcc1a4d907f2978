// The main window's side of a send: it forwards Send, Cancel, the timer and
// the line client's events to the send controller and shows its results.
#include "app/main_form_paging.h"

void Tmainform::createPaging() { paging_ = std::make_unique<Paging>(); }

void Tmainform::resetSendState() {}

void Tmainform::sendButtonClick() {}

void Tmainform::cancelSendButtonClick() {}

void Tmainform::Timer1Timer() {}
