.pragma library

// Hands a fixture's contacts on to its body, once per fixture.
function forwardContacts(body, fixture) {
    if (!fixture || fixture.__forwardedTo === body)
        return
    fixture.__forwardedTo = body
    fixture.beginContact.connect(function (other, contactNormal) { body.beginContact(other, contactNormal) })
    fixture.contactChanged.connect(function (other) { body.contactChanged(other) })
    fixture.endContact.connect(function (other) { body.endContact(other) })
}
