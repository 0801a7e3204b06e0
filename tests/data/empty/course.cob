Caligari V00.01ALH             
PolH V0.02 Id 1302524 Parent 0 Size 0
Name Course
center 0 0 0
x axis 1 0 0
y axis 0 1 0
z axis 0 0 1
Transform
1 0 0 0
0 1 0 0
0 0 1 0
0 0 0 1
Texture Vertices 4
0.000000 0.000000
1.000000 0.000000
1.000000 1.000000
0.000000 1.000000
Faces 0
Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109
mat# 0
shader: phong  facet: auto40
rgb 0.8627451,0.5882353,0.5882353
alpha 1  ka 0.1  ks 0.1  exp 0  ior 1
END  V1.00 Id 0 Parent 0 Size        0
