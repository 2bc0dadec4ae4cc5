#pragma once

class ctlTabs;

namespace tabstrip {

// Makes the strips known to assistive technology, once per program: a page tab list with a
// page tab per tab (created only when a client asks).
void installAccessibility();

// Tells assistive technology that the selected tab changed (and, with the focus on the strip,
// that it has the focus), or that tab `tab`'s caption did.
void announceSelection(ctlTabs *strip);
void announceCaption(ctlTabs *strip, int tab);
// Lets go of what assistive technology was given of the strip, as it is destroyed.
void forgetAccessibility(ctlTabs *strip);

} // namespace tabstrip
