import Zarno 2.0
System {}
