#include "live/live_view.h"

LiveEdit& LiveView::Field(LiveField field) {
  return const_cast<LiveEdit&>(static_cast<const LiveView*>(this)->Field(field));
}

const LiveEdit& LiveView::Field(LiveField field) const {
  switch (field) {
    case LiveField::RstSent:
      return rstSent;
    case LiveField::TextSent:
      return textSent;
    case LiveField::RstRcvd:
      return rstRcvd;
    case LiveField::TextRcvd:
      return textRcvd;
    case LiveField::Msg:
      return msg;
    case LiveField::WpM:
      return wpm;
    case LiveField::RigAddress:
      return rigAddress;
    case LiveField::Callsign:
    case LiveField::None:
      break;
  }
  return callsign;
}

LiveCheck& LiveView::Box(LiveCheckBox box) {
  switch (box) {
    case LiveCheckBox::Tastung:
      return tastung;
    case LiveCheckBox::Texte:
      return texte;
    case LiveCheckBox::Farnsworth:
      return farnsworth;
    case LiveCheckBox::AutoCq:
      return autoCq;
    case LiveCheckBox::Cq:
      return cq;
    case LiveCheckBox::Ssb:
      return ssb;
    case LiveCheckBox::Rts:
      return rts;
    case LiveCheckBox::ViaRigctld:
      return viaRigctld;
    case LiveCheckBox::FollowRig:
      return followRig;
    case LiveCheckBox::Reverse:
      break;
  }
  return reverse;
}
