import QtQuick 2.0
import Zarno 2.0
import "landbands.js" as LandBands

Item {
    id: landLayer

    property int land
    property int number
    property bool running
    // Whether the layer's scene shows: a hidden scene's layers keep still, so
    // that they ask for no frames behind the other scenes.
    property bool shown: true
    property alias velocity: scroll.velocity
    // Window pixels per scene unit. The pictures are read at the size they are drawn:
    // drawing five layers from full-density textures was what made a run crawl under
    // software rendering.
    property real pixelsPerUnit: 1

    // The land's picture is read in the background and shown once it is there:
    // reading five full-screen pictures on the spot stalled the run at every portal.
    readonly property string landSource: "../../assets/img/bkg/bkg-" + land + "-" + number + ".png"
    // Where a layer hides everything behind it, that part comes from a picture of
    // its own without an alpha channel, which is drawn without blending.
    readonly property string solidSource: LandBands.solidFrom(number) < 1280
                                          ? "../../assets/img/bkg/ground-" + land + ".png" : ""
    property string shownSource
    property string shownSolidSource
    // The land of the pictures the copies show. Their band follows it, not `land`:
    // a band changed ahead of the picture would read the old picture again, and
    // show nothing while it does.
    property int shownLand: -1

    function init() {
        running = false
    }

    function play() {
        running = true
    }

    function stop() {
        running = false
    }

    // Both parts of a land change together, once both are read. A missing file
    // shows as nothing rather than keeping the old land.
    function showWhenRead() {
        if (nextPicture.status !== Image.Loading && nextSolid.status !== Image.Loading) {
            shownLand = land
            shownSource = landSource
            shownSolidSource = solidSource
        }
    }

    // A picture still in the cache may be ready at once, without a change of status.
    onLandSourceChanged: Qt.callLater(showWhenRead)

    TrimmedImage {
        id: nextPicture
        visible: false
        // The same size, band and tiles as the copies below, so they find it read;
        // the band is known before the first read.
        sourceSize.height: landLayer.loadedHeight
        sourceClipRect: landLayer.loadedBand
        source: landLayer.landSource
        onStatusChanged: landLayer.showWhenRead()
    }

    // The picture (1500 x 1280 units) fitted into 1500 units by the layer's height,
    // and the rows of it that can show (see landbands.js).
    readonly property real fit: Math.min(1, height / 1280)
    readonly property var band: LandBands.band(land, number)
    readonly property int solidFrom: LandBands.solidFrom(number)
    // Window pixels of the whole picture's height, and of the band read from it.
    readonly property int loadedHeight: Math.max(1, Math.ceil(1280 * fit * pixelsPerUnit))
    readonly property real pixelsPerRow: loadedHeight / 1280
    readonly property rect loadedBand: bandRect(band)
    readonly property var shownBand: LandBands.band(shownLand, number)
    readonly property rect shownLoadedBand: bandRect(shownBand)

    function bandRect(rows) {
        return Qt.rect(0, Math.floor(rows[0] * pixelsPerRow), Math.ceil(1500 * pixelsPerRow),
                       Math.ceil((rows[1] - rows[0]) * pixelsPerRow))
    }
    readonly property int loadedSolidHeight: Math.max(1, Math.round((1280 - solidFrom) * pixelsPerRow))

    // Whether the copies show a picture in every row that the layer draws.
    readonly property bool pictureShown: copies.count === 3 && copies.itemAt(0).status === Image.Ready
                                         && (shownSolidSource === "" || copies.itemAt(0).solid.status === Image.Ready)

    // Three copies side by side; jumping back by one image width (1500) keeps the
    // strip looping without a seam. The copies share the band read above.
    Row {
        id: strip

        Repeater {
            id: copies
            model: 3
            TrimmedImage {
                // The strip's period; the band keeps the picture's place in the layer.
                width: 1500
                height: (landLayer.shownBand[1] - landLayer.shownBand[0]) * landLayer.fit
                y: (landLayer.height - 1280 * landLayer.fit) / 2 + landLayer.shownBand[0] * landLayer.fit
                // The band is read at the size it is drawn, so every pixel of it
                // lands on one window pixel: filtering would only cost time. Its
                // empty tiles are left out and its solid ones drawn unblended,
                // which also spares the layers they hide.
                smooth: false
                sourceSize.height: landLayer.loadedHeight
                sourceClipRect: landLayer.shownLoadedBand
                source: landLayer.shownSource
                property alias solid: solid

                // The opaque rest of the picture, right below the band.
                BackgroundImage {
                    id: solid
                    visible: landLayer.shownSolidSource !== ""
                    y: parent.height
                    width: 1500
                    height: (1280 - landLayer.solidFrom) * landLayer.fit
                    fillMode: Image.PreserveAspectFit
                    smooth: false
                    asynchronous: true
                    drawnPixelSize.height: landLayer.loadedSolidHeight
                    source: landLayer.shownSolidSource
                }
            }
        }
    }

    // The opaque picture, read ahead like the one above.
    MultiResolutionImage {
        id: nextSolid
        visible: false
        asynchronous: true
        fillMode: Image.PreserveAspectFit
        drawnPixelSize.height: landLayer.loadedSolidHeight
        source: landLayer.solidSource
        onStatusChanged: landLayer.showWhenRead()
    }

    MovementAnimation {
        id: scroll
        target: strip
        property: "x"
        velocity: -1000
        running: landLayer.running && landLayer.shown
        minPropertyValue: -1500
        onLimitReached: strip.x = 0
    }
}
