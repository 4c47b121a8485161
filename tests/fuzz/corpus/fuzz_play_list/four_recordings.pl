[GENERAL]
CDROM=Pemmaro - Birds of the Solvara Region
Version=1.0
Seconds between Sounds=2
Tell Species Names=Yes
Tell names Afterwards=No
Seconds after Spoken Names=1
Endless Loop=Yes
[RECORDINGS]
R1=2101,00001A0001 ,1
R2=2102,00001A0004 ,2
R3=2103,00001A0006 ,3
R4=2104,00001A0007 ,4
