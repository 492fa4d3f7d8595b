.pragma library

// The rows (of the 1280 of a land picture) where each layer can show, per land
// and layer: a layer starts where its own drawing does and ends where the
// ground turns opaque, since nothing behind the ground shows below that row.
// The ground itself goes on below it from a picture without an alpha channel
// (img/bkg/ground-N.png), which is drawn without blending. Drawing only these
// bands spares the transparent rest of every picture. tst_assetgen checks them
// against the generated pictures.
var groundOpaqueFrom = 856
var tops = [
    [0, 412, 623, 383, 812],
    [0, 468, 576, 494, 812],
    [0, 374, 607, 416, 812],
    [0, 0, 687, 502, 812],
    [0, 517, 550, 0, 812],
    [0, 326, 691, 478, 812]
]

// The first row from which each layer is opaque all the way down to
// groundOpaqueFrom (groundOpaqueFrom where it never is). A layer behind ends
// where the first layer in front of it turns opaque: the rows below would
// only be drawn over.
var opaqueFrom = [
    [0, 688, 787, 856, 851],
    [0, 803, 817, 856, 851],
    [0, 745, 797, 856, 851],
    [0, 715, 787, 856, 851],
    [0, 746, 646, 856, 851],
    [0, 805, 797, 856, 851]
]

function band(land, layer) {
    var known = land >= 0 && land < tops.length && layer >= 0 && layer < 5
    var top = known ? tops[land][layer] : 0
    var bottom = groundOpaqueFrom
    for (var nearer = layer + 1; known && nearer < 5; ++nearer)
        bottom = Math.min(bottom, opaqueFrom[land][nearer])
    return [top, Math.max(top, bottom)]
}

// The first row drawn from the layer's opaque picture: only the ground has one.
function solidFrom(layer) {
    return layer === 4 ? groundOpaqueFrom : 1280
}
