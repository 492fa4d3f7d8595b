#ifndef BOX2DFIXTURE_H
#define BOX2DFIXTURE_H

#include <box2d/box2d.h>

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QVariantList>

#include <memory>
#include <vector>

class Box2DBody;
class Box2DWorld;

// The shape of a body with its material and collision filter. Subclasses build
// the Box2D shape from their geometry; a refused geometry leaves no Box2D fixture.
class Box2DFixture : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float density READ density WRITE setDensity NOTIFY densityChanged)
    Q_PROPERTY(float friction READ friction WRITE setFriction NOTIFY frictionChanged)
    Q_PROPERTY(float restitution READ restitution WRITE setRestitution NOTIFY restitutionChanged)
    Q_PROPERTY(bool sensor READ isSensor WRITE setSensor NOTIFY sensorChanged)
    Q_PROPERTY(CategoryFlags categories READ categories WRITE setCategories NOTIFY categoriesChanged)
    Q_PROPERTY(CategoryFlags collidesWith READ collidesWith WRITE setCollidesWith NOTIFY collidesWithChanged)
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex NOTIFY groupIndexChanged)

public:
    enum CategoryFlag {
        Category1 = 0x0001, Category2 = 0x0002, Category3 = 0x0004, Category4 = 0x0008,
        Category5 = 0x0010, Category6 = 0x0020, Category7 = 0x0040, Category8 = 0x0080,
        Category9 = 0x0100, Category10 = 0x0200, Category11 = 0x0400, Category12 = 0x0800,
        Category13 = 0x1000, Category14 = 0x2000, Category15 = 0x4000, Category16 = 0x8000,
        All = 0xFFFF, None = 0x0000
    };
    Q_DECLARE_FLAGS(CategoryFlags, CategoryFlag)
    Q_FLAG(CategoryFlags)

    explicit Box2DFixture(QObject *parent = nullptr);
    ~Box2DFixture() override;

    float density() const;
    void setDensity(float density);
    float friction() const { return m_fixtureDef.friction; }
    void setFriction(float friction);
    float restitution() const { return m_fixtureDef.restitution; }
    void setRestitution(float restitution);
    bool isSensor() const { return m_fixtureDef.isSensor; }
    void setSensor(bool sensor);
    CategoryFlags categories() const { return CategoryFlags(m_fixtureDef.filter.categoryBits); }
    void setCategories(CategoryFlags categories);
    CategoryFlags collidesWith() const { return CategoryFlags(m_fixtureDef.filter.maskBits); }
    void setCollidesWith(CategoryFlags collidesWith);
    int groupIndex() const { return m_fixtureDef.filter.groupIndex; }
    void setGroupIndex(int groupIndex);

    Q_INVOKABLE Box2DBody *getBody() const;

    // The Box2D fixture, present while created. A chain holds a second one, its
    // reverse, because Box2D 2.4 chains collide from one side only.
    b2Fixture *fixture() const { return m_fixture; }
    b2Fixture *reverseFixture() const { return m_reverseFixture; }
    // The child index of this element's geometry for a child of one of its
    // Box2D fixtures (a chain segment counted in the order of the vertices).
    int childIndex(const b2Fixture *fixture, int childIndex) const;

    void createFixture(Box2DBody *body);
    void recreateFixture();
    // Forget Box2D fixtures that Box2D destroys itself or that die with their world.
    void forgetFixture(b2Fixture *fixture);
    void nullifyFixtures();
    // Whether contactChanged() ever had a receiver: most fixtures never have one,
    // and a world with many resting contacts need not emit to nobody.
    bool contactChangedWatched() const { return m_contactChangedWatched; }
    // How many live fixtures of the process are watched so.
    static int contactChangedWatchers() { return s_contactChangedWatchers; }

signals:
    void beginContact(Box2DFixture *other, const QPointF &contactNormal);
    void endContact(Box2DFixture *other);
    void contactChanged(Box2DFixture *other);
    void densityChanged();
    void frictionChanged();
    void restitutionChanged();
    void sensorChanged();
    void categoriesChanged();
    void collidesWithChanged();
    void groupIndexChanged();

protected:
    void connectNotify(const QMetaMethod &signal) override;

    // A new Box2D shape for the current geometry, or null (with a warning) when
    // Box2D could not hold it.
    virtual std::unique_ptr<b2Shape> createShape() = 0;
    // A second shape created beside the first, or null.
    virtual std::unique_ptr<b2Shape> createReverseShape() { return nullptr; }
    virtual int reverseChildIndex(int childIndex) const { return childIndex; }

    float pixelsPerMeter() const;
    // Converts a QML vertex list to meters; false (with a warning naming the type)
    // when a vertex is not a finite point.
    bool verticesToMeters(const QVariantList &vertices, std::vector<b2Vec2> &out, const char *typeName) const;
    // Box2D's minimum distance between consecutive vertices.
    static bool tooClose(const b2Vec2 &a, const b2Vec2 &b);
    static bool isFinite(const QPointF &point) { return qIsFinite(point.x()) && qIsFinite(point.y()); }

private:
    Box2DWorld *bodyWorld() const;
    b2Fixture *createOn(b2Body *body, const b2Shape &shape);
    bool massIsSafe(const b2Shape &shape) const;
    void refilter();
    void destroyFixtures();

    b2FixtureDef m_fixtureDef;
    QPointer<Box2DBody> m_body;
    b2Fixture *m_fixture = nullptr;
    b2Fixture *m_reverseFixture = nullptr;
    bool m_contactChangedWatched = false;
    static inline int s_contactChangedWatchers = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Box2DFixture::CategoryFlags)

#endif
